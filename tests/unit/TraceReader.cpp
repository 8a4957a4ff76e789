#include "TraceReader.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace wigglet::test {

namespace {

std::filesystem::path uniqueTracePath() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "wigglet-trace-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd >= 0)
        close(fd);
    return pattern;
}

} // namespace

TraceReader::TraceReader(Platform& platform, Sleeps sleeps)
    : platform_(platform), path_(uniqueTracePath()) {
    EXPECT_TRUE(platform_.trace().open(path_.string())) << "cannot open trace " << path_;
    platform_.trace().setSleepsEnabled(sleeps == Sleeps::Recorded);
}

TraceReader::~TraceReader() {
    platform_.trace().close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

TraceRecords TraceReader::records() const {
    return load(path_);
}

TraceRecords TraceReader::records(std::string_view kind) const {
    return ofKind(records(), kind);
}

TraceRecords TraceReader::load(const std::filesystem::path& path) {
    TraceRecords lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        nlohmann::json record = nlohmann::json::parse(line, nullptr, false);
        EXPECT_FALSE(record.is_discarded()) << "not a JSON line: " << line;
        if (!record.is_discarded())
            lines.push_back(std::move(record));
    }
    return lines;
}

TraceRecords TraceReader::ofKind(const TraceRecords& records, std::string_view kind) {
    TraceRecords matching;
    for (const auto& record : records)
        if (record.value("ev", "") == kind)
            matching.push_back(record);
    return matching;
}

} // namespace wigglet::test
