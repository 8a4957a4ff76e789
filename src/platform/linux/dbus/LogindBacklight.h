#pragma once

#include "platform/EventSource.h"
#include "platform/linux/sysfs/SysfsBacklight.h"

#include <QDBusConnection>
#include <array>
#include <filesystem>

namespace wigglet::desktop {

// Brightness keys turned into logind's SetBrightness on the caller's session: it needs no
// root and no desktop binding the keys, in any kind of session. Each key-down steps the
// backlight by a sixteenth of its range, as the keys do.
class LogindBacklight {
  public:
    static constexpr const char* service = "org.freedesktop.login1";
    static constexpr const char* sessionPath = "/org/freedesktop/login1/session/auto";
    static constexpr long long steps = 16;
    // How long a SetBrightness call may hold up the main loop.
    static constexpr int callTimeoutMs = 1000;

    // The bus is normally the system bus; it may be unconnected.
    LogindBacklight(QDBusConnection bus, std::filesystem::path backlightRoot);

    // True when the event is a brightness key that logind took: its key-down set the
    // brightness, or it is the key-up of such a key-down. Otherwise the key is to be pressed.
    bool take(const SystemDefinedEvent& event);

  private:
    bool step(bool up);

    QDBusConnection bus_;
    SysfsBacklight backlight_;
    // Whether the last key-down of brightness up, and of down, went to logind.
    std::array<bool, 2> taken_{};
};

} // namespace wigglet::desktop
