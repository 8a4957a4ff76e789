#pragma once

#include "platform/Platform.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace wigglet::test {

using TraceRecords = std::vector<nlohmann::json>;

// Records what a run does to the outside world in a trace file of its own, and reads the lines
// back as JSON records. The file is removed with the reader. A platform has one trace: a new
// reader takes it over from the one before.
class TraceReader {
  public:
    enum class Sleeps { Omitted, Recorded };

    explicit TraceReader(Platform& platform, Sleeps sleeps = Sleeps::Omitted);
    ~TraceReader();
    TraceReader(const TraceReader&) = delete;
    TraceReader& operator=(const TraceReader&) = delete;

    // Every line written so far.
    TraceRecords records() const;
    // The lines of one kind ("warp", "scroll", ...).
    TraceRecords records(std::string_view kind) const;
    const std::filesystem::path& path() const { return path_; }

    // The lines of a trace file; a line that is not JSON stops the test.
    static TraceRecords load(const std::filesystem::path& path);
    static TraceRecords ofKind(const TraceRecords& records, std::string_view kind);

  private:
    Platform& platform_;
    std::filesystem::path path_;
};

} // namespace wigglet::test
