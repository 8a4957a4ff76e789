#include "SimFixture.h"

#include <fstream>
#include <random>

namespace wigglet::test {

SimFixture::SimFixture() {
    sim.platform().provide(store);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "trace";
    for (char& c : name)
        if (c == '/')
            c = '_';
    tracePath_ = std::filesystem::temp_directory_path() /
                 ("wigglet-" + std::to_string(std::random_device{}()) + "-" + name + ".jsonl");
    sim.platform().trace().open(tracePath_.string());
}

SimFixture::~SimFixture() {
    sim.platform().trace().close();
    std::error_code ignored;
    std::filesystem::remove(tracePath_, ignored);
}

std::vector<nlohmann::json> SimFixture::traceLines() const {
    std::vector<nlohmann::json> lines;
    std::ifstream in(tracePath_);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(nlohmann::json::parse(line));
    return lines;
}

std::vector<nlohmann::json> SimFixture::traceLines(const std::string& kind) const {
    std::vector<nlohmann::json> out;
    for (auto& line : traceLines())
        if (line["ev"] == kind)
            out.push_back(std::move(line));
    return out;
}

std::vector<nlohmann::json> SimFixture::traceLines(const std::string& kind,
                                                   const std::string& field,
                                                   const nlohmann::json& value) const {
    std::vector<nlohmann::json> out;
    for (auto& line : traceLines(kind))
        if (line.contains(field) && line[field] == value)
            out.push_back(std::move(line));
    return out;
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
        out.push_back(pointOf(line));
    return out;
}

} // namespace wigglet::test
