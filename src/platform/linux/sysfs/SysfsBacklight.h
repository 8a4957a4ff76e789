#pragma once

#include "platform/DisplayBrightness.h"
#include "platform/linux/sysfs/SysfsDevice.h"

#include <filesystem>
#include <optional>

namespace wigglet::desktop {

// The display brightness from the kernel's backlight class. With several backlights the one
// the firmware drives is preferred, then a platform driver, then a raw one, as desktops do.
class SysfsBacklight : public DisplayBrightness {
  public:
    static constexpr const char* defaultRoot = "/sys/class/backlight";

    explicit SysfsBacklight(std::filesystem::path root = defaultRoot) : root_(std::move(root)) {}

    float currentBrightness() override;
    // The backlight the desktop would drive; absent when there is none.
    std::optional<SysfsDevice> preferredDevice() const;

  private:
    std::filesystem::path root_;
};

} // namespace wigglet::desktop
