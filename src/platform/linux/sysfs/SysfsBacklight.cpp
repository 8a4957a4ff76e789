#include "platform/linux/sysfs/SysfsBacklight.h"

#include "platform/linux/sysfs/SysfsDevice.h"

#include <algorithm>
#include <array>
#include <string>

namespace wigglet::desktop {

namespace {

int preference(const SysfsDevice& device) {
    static constexpr std::array<const char*, 3> order = {"firmware", "platform", "raw"};
    const auto type = device.text("type").value_or("");
    const auto it = std::find(order.begin(), order.end(), type);
    return static_cast<int>(it - order.begin());
}

} // namespace

std::optional<SysfsDevice> SysfsBacklight::preferredDevice() const {
    auto devices = SysfsDevice::list(root_);
    std::stable_sort(
        devices.begin(), devices.end(),
        [](const SysfsDevice& a, const SysfsDevice& b) { return preference(a) < preference(b); });
    if (devices.empty())
        return std::nullopt;
    return devices.front();
}

float SysfsBacklight::currentBrightness() {
    const auto device = preferredDevice();
    if (!device)
        return 0.0f;
    const auto actual = device->number("actual_brightness");
    const auto maximum = device->number("max_brightness");
    if (!actual || !maximum || *maximum <= 0)
        return 0.0f;
    return std::clamp(static_cast<float>(*actual) / static_cast<float>(*maximum), 0.0f, 1.0f);
}

} // namespace wigglet::desktop
