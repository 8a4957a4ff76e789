#pragma once

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

inline Point pointOf(const nlohmann::json& record) {
    return {record.at("x").get<double>(), record.at("y").get<double>()};
}

// A fresh simulated machine per test, installed as the platform, with an in-memory store and
// a trace file that the test can read back.
class SimFixture : public ::testing::Test {
  protected:
    SimFixture();
    ~SimFixture() override;

    // Every trace line written so far, parsed.
    std::vector<nlohmann::json> traceLines() const;
    // The lines of one kind; with a field filter, only those whose field equals the value.
    std::vector<nlohmann::json> traceLines(const std::string& kind) const;
    std::vector<nlohmann::json> traceLines(const std::string& kind, const std::string& field,
                                           const nlohmann::json& value) const;
    // One whole-number field of every line of a kind; the places of every line of a kind.
    std::vector<std::int64_t> numbers(const std::string& kind, const std::string& field) const;
    std::vector<Point> points(const std::string& kind) const;
    // Forgets every line written so far.
    void clearTrace() { sim.platform().trace().open(tracePath_.string()); }

    void advance(double seconds) { sim.advanceSeconds(seconds); }

    sim::SimPlatform sim;
    PlatformScope scope{sim.platform()};
    std::shared_ptr<SettingsStore> store = std::make_shared<SettingsStore>();

  private:
    std::filesystem::path tracePath_;
};

} // namespace wigglet::test
