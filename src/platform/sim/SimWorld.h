#pragma once

#include "platform/Geometry.h"
#include "platform/SystemInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wigglet::sim {

// The state of the simulated machine that several services share: the screen, the pointer,
// the user's input and the devices a scenario sets up.
struct SimWorld {
    std::optional<Size> screen = Size{1440, 900};
    Point pointer{720, 450}; // global display coordinates

    std::int64_t lastInputMicros = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> activePeriods; // continuous real input

    bool trusted = true;
    int failEvents = 0;

    bool hasSmartBattery = false;
    std::vector<std::optional<int>> batteryCharges;
    bool onMains = true;

    std::optional<float> brightness = 0.75f;

    OSVersion version;
    std::string shortVersion = "1.0.0";
    std::string bundleIdentifier = "org.wigglet.Wigglet";
};

} // namespace wigglet::sim
