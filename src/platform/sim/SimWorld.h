#pragma once

#include "platform/Geometry.h"
#include "platform/SystemInfo.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wigglet::sim {

// An idle count that another program of the session reads, besides the HID one the core
// reads. The user's real input resets every count; of Wigglet's doings, only what the source
// is reset by.
struct SimIdleSource {
    enum class ResetBy { Input, Activity, Nothing };

    std::string name;
    ResetBy resetBy = ResetBy::Input;
    std::int64_t lastResetMicros = 0;
};

// The state of the simulated machine that several services share: the screen, the pointer,
// the user's input and the devices a scenario sets up.
struct SimWorld {
    std::optional<Size> screen = Size{1440, 900};
    Point pointer{720, 450}; // global display coordinates

    std::int64_t lastInputMicros = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> activePeriods; // continuous real input
    std::vector<SimIdleSource> idleSources;
    bool locked = false;

    bool trusted = true;
    int failEvents = 0;

    bool hasSmartBattery = false;
    std::vector<std::optional<int>> batteryCharges;
    bool onMains = true;

    std::optional<float> brightness = 0.75f;

    OSVersion version;
    std::string shortVersion = "1.0.0";
    std::string bundleIdentifier = "org.wigglet.Wigglet";

    // Seconds from the later of `last` and the user's continuous input until `now`.
    double idleSeconds(std::int64_t last, std::int64_t now) const {
        last = std::min(last, now);
        for (const auto& [from, to] : activePeriods)
            if (from <= now)
                last = std::max(last, std::min(now, to));
        return static_cast<double>(now - last) / 1e6;
    }
    void resetIdleSources(SimIdleSource::ResetBy cause, std::int64_t now) {
        for (SimIdleSource& source : idleSources)
            if (source.resetBy == cause)
                source.lastResetMicros = std::max(source.lastResetMicros, now);
    }
};

} // namespace wigglet::sim
