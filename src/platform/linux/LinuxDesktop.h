#pragma once

#include "platform/Platform.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace wigglet::desktop {

class XConnection;
class QtRunLoop;
class RealSleeper;
class XTestEventSource;
class XScreens;
class ScreenSaverInhibitor;
class SysfsPowerSources;
class SysfsBacklight;
class XGrabHotKeyService;
class XdgAutostartLoginItems;
class FreedesktopNotifications;
class QtWorkspace;
class SyslogSystemInfo;

struct LinuxDesktopOptions {
    // Empty: $DISPLAY.
    std::string displayName;
    // Opened by "check for updates".
    std::string releasesPage;
    // What the autostart entry runs. Empty: $APPIMAGE when set, else this program's path.
    std::string executable;
    int pixelsPerWheelClick = 15;
    std::filesystem::path powerSupplyRoot = "/sys/class/power_supply";
    std::filesystem::path backlightRoot = "/sys/class/backlight";
};

// Every Linux desktop service, built once by the host after its Qt application object: one X
// connection shared by the X adapters, the session bus, sysfs, XDG autostart. What the session
// lacks is found here once and said by shortcomings(), not by failing calls later.
class LinuxDesktop {
  public:
    explicit LinuxDesktop(const LinuxDesktopOptions& options);
    ~LinuxDesktop();
    LinuxDesktop(const LinuxDesktop&) = delete;
    LinuxDesktop& operator=(const LinuxDesktop&) = delete;

    PlatformServices services() const;
    // One sentence per missing capability, for the host to report at start.
    std::vector<std::string> shortcomings() const;

  private:
    std::unique_ptr<XConnection> x_;
    bool hasSessionBus_ = false;
    std::unique_ptr<QtRunLoop> runLoop_;
    std::unique_ptr<RealSleeper> sleeper_;
    std::unique_ptr<XTestEventSource> events_;
    std::unique_ptr<XScreens> screens_;
    std::unique_ptr<ScreenSaverInhibitor> power_;
    std::unique_ptr<SysfsPowerSources> powerSources_;
    std::unique_ptr<SysfsBacklight> brightness_;
    std::unique_ptr<XGrabHotKeyService> hotKeys_;
    std::unique_ptr<XdgAutostartLoginItems> loginItems_;
    std::unique_ptr<FreedesktopNotifications> notifications_;
    std::unique_ptr<QtWorkspace> workspace_;
    std::unique_ptr<SyslogSystemInfo> system_;
};

} // namespace wigglet::desktop
