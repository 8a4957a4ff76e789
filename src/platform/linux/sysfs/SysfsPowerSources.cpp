#include "platform/linux/sysfs/SysfsPowerSources.h"

#include "platform/linux/sysfs/SysfsDevice.h"

namespace wigglet::desktop {

namespace {

bool isSystemBattery(const SysfsDevice& device) {
    return device.text("type") == "Battery" && device.text("scope") != "Device";
}

bool isAdapter(const SysfsDevice& device) {
    const auto type = device.text("type");
    // Older kernels name USB supplies by their kind (USB_C, USB_PD, ...).
    return type && (*type == "Mains" || type->starts_with("USB"));
}

} // namespace

bool SysfsPowerSources::hasSmartBattery() {
    for (const SysfsDevice& device : SysfsDevice::list(root_))
        if (isSystemBattery(device))
            return true;
    return false;
}

std::vector<std::optional<int>> SysfsPowerSources::charges() {
    std::vector<std::optional<int>> charges;
    for (const SysfsDevice& device : SysfsDevice::list(root_)) {
        if (!isSystemBattery(device))
            continue;
        const auto capacity = device.number("capacity");
        if (capacity && *capacity >= 0 && *capacity <= 100)
            charges.emplace_back(static_cast<int>(*capacity));
        else
            charges.emplace_back(std::nullopt);
    }
    return charges;
}

bool SysfsPowerSources::externalAdapterAttached() {
    for (const SysfsDevice& device : SysfsDevice::list(root_))
        if (isAdapter(device) && device.number("online").value_or(0) > 0)
            return true;
    return false;
}

} // namespace wigglet::desktop
