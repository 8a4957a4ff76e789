#include "SimFixture.h"

#include <fstream>

namespace wigglet::test {

SimFixture::SimFixture() {
    sim.platform().provide(store);
    sim.platform().trace().open(tracePath_.string());
}

std::vector<nlohmann::json> SimFixture::traceLines(const std::string& kind,
                                                   const std::string& field,
                                                   const nlohmann::json& value) const {
    std::vector<nlohmann::json> lines;
    std::ifstream in(tracePath_);
    for (std::string text; std::getline(in, text);) {
        auto line = nlohmann::json::parse(text);
        if ((kind.empty() || line["ev"] == kind) &&
            (field.empty() || (line.contains(field) && line[field] == value)))
            lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::int64_t> SimFixture::numbers(const std::string& kind,
                                              const std::string& field) const {
    std::vector<std::int64_t> out;
    for (const auto& line : traceLines(kind))
        out.push_back(line.at(field).get<std::int64_t>());
    return out;
}

std::vector<Point> SimFixture::points(const std::string& kind) const {
    std::vector<Point> out;
    for (const auto& line : traceLines(kind))
        out.push_back({line.at("x").get<double>(), line.at("y").get<double>()});
    return out;
}

} // namespace wigglet::test
