#pragma once

#include "platform/Platform.h"
#include "platform/linux/IdleProbe.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/ServiceReport.h"

#include <memory>
#include <string>
#include <vector>

namespace wigglet::desktop {

class DesktopBackend;
class KeepAwakeMechanism;
class QtRunLoop;
class RealSleeper;
class BusInhibitor;
class LogindIdleInhibitor;
class DesktopPowerManagement;
class SessionBus;
class SysfsPowerSources;
class SysfsBacklight;
class XdgAutostartLoginItems;
class FreedesktopNotifications;
class QtWorkspace;
class SyslogSystemInfo;
class DesktopSessionLock;
class LinuxSystemEvents;

// Every Linux desktop service, built once by the host after its Qt application object: the
// session's backend (input, screens, shortcut), the session bus, sysfs, XDG autostart. What
// the session lacks is found here once and said by shortcomings(), not by failing calls later.
class LinuxDesktop {
  public:
    // Starts the backend, which must outlive the desktop.
    LinuxDesktop(const LinuxDesktopOptions& options, DesktopBackend& backend);
    ~LinuxDesktop();
    LinuxDesktop(const LinuxDesktop&) = delete;
    LinuxDesktop& operator=(const LinuxDesktop&) = delete;

    PlatformServices services() const;
    // One sentence per missing capability, for the host to report at start.
    std::vector<std::string> shortcomings() const;
    // What was found, for --verbose: the mechanisms that keep the display awake.
    std::vector<std::string> notes() const;
    // For the doctor: each service as the backend and this object serve it, and every idle
    // count they can read.
    std::vector<ServiceReport> describe() const;
    std::vector<std::unique_ptr<IdleProbe>> idleProbes();
    // The bus every session-bus client of the program shares and rejoins through.
    SessionBus& sessionBus() { return *bus_; }

  private:
    DesktopBackend& backend_;
    std::unique_ptr<SessionBus> bus_;
    std::unique_ptr<QtRunLoop> runLoop_;
    std::unique_ptr<RealSleeper> sleeper_;
    std::vector<std::unique_ptr<BusInhibitor>> busInhibitors_;
    std::unique_ptr<LogindIdleInhibitor> logind_;
    std::vector<KeepAwakeMechanism*> keepAwake_;
    std::unique_ptr<DesktopPowerManagement> power_;
    std::unique_ptr<SysfsPowerSources> powerSources_;
    std::unique_ptr<SysfsBacklight> brightness_;
    std::unique_ptr<XdgAutostartLoginItems> loginItems_;
    std::unique_ptr<FreedesktopNotifications> notifications_;
    std::unique_ptr<QtWorkspace> workspace_;
    std::unique_ptr<SyslogSystemInfo> system_;
    std::unique_ptr<DesktopSessionLock> sessionLock_;
    std::unique_ptr<LinuxSystemEvents> systemEvents_;
};

} // namespace wigglet::desktop
