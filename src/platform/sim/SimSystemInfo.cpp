#include "platform/sim/SimSystemInfo.h"

#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

OSVersion SimSystemInfo::operatingSystemVersion() {
    return world_.version;
}

std::optional<std::string> SimSystemInfo::bundleValue(std::string_view key) {
    if (key == "CFBundleShortVersionString" && !world_.shortVersion.empty())
        return world_.shortVersion;
    if (key == "CFBundleIdentifier")
        return world_.bundleIdentifier;
    return std::nullopt;
}

} // namespace wigglet::sim
