#pragma once

#include "platform/DisplayBrightness.h"

#include <filesystem>

namespace wigglet::desktop {

// The display brightness from the kernel's backlight class. With several backlights the one
// the firmware drives is preferred, then a platform driver, then a raw one, as desktops do.
class SysfsBacklight : public DisplayBrightness {
  public:
    static constexpr const char* defaultRoot = "/sys/class/backlight";

    explicit SysfsBacklight(std::filesystem::path root = defaultRoot) : root_(std::move(root)) {}

    float currentBrightness() override;

  private:
    std::filesystem::path root_;
};

} // namespace wigglet::desktop
