#pragma once

#include "TemporaryFolder.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace wigglet::test {

using TraceRecords = std::vector<nlohmann::json>;

// A fresh simulated machine per test, installed as the platform, with an in-memory store and
// a trace file that the test can read back.
class SimFixture : public ::testing::Test {
  protected:
    SimFixture();

    // The trace lines written so far, parsed: those of one kind when a kind is given, and with
    // a field filter, only those whose field equals the value.
    std::vector<nlohmann::json> traceLines(const std::string& kind = {},
                                           const std::string& field = {},
                                           const nlohmann::json& value = nullptr) const;
    // One whole-number field of every line of a kind; the places of every line of a kind.
    std::vector<std::int64_t> numbers(const std::string& kind, const std::string& field) const;
    std::vector<Point> points(const std::string& kind) const;
    // Forgets every line written so far.
    void clearTrace() { sim.platform().trace().open(tracePath_.string()); }

    void advance(double seconds) { sim.advanceSeconds(seconds); }

  private:
    testing::TemporaryFolder traceFolder_;
    const std::filesystem::path tracePath_ = traceFolder_ / "trace.jsonl";

  protected:
    sim::SimPlatform sim;
    PlatformScope scope{sim.platform()};
    std::shared_ptr<SettingsStore> store = std::make_shared<SettingsStore>();
};

} // namespace wigglet::test
