#include "platform/linux/LinuxDesktop.h"

#include "platform/linux/dbus/FreedesktopNotifications.h"
#include "platform/linux/dbus/ScreenSaverInhibitor.h"
#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/posix/SyslogSystemInfo.h"
#include "platform/linux/qt/QtRunLoop.h"
#include "platform/linux/qt/QtWorkspace.h"
#include "platform/linux/sysfs/SysfsBacklight.h"
#include "platform/linux/sysfs/SysfsPowerSources.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XGrabHotKeyService.h"
#include "platform/linux/x11/XScreens.h"
#include "platform/linux/x11/XTestEventSource.h"
#include "platform/linux/xdg/XdgAutostartLoginItems.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdlib>

namespace wigglet::desktop {

namespace {

std::string defaultExecutable() {
    // An AppImage runs from a temporary mount; the image itself is what must start again.
    if (const char* image = std::getenv("APPIMAGE"); image && *image)
        return image;
    return QCoreApplication::applicationFilePath().toStdString();
}

} // namespace

LinuxDesktop::LinuxDesktop(const LinuxDesktopOptions& options)
    : x_(XConnection::open(options.displayName)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    hasSessionBus_ = bus.isConnected();
    runLoop_ = std::make_unique<QtRunLoop>();
    sleeper_ = std::make_unique<RealSleeper>();
    events_ = std::make_unique<XTestEventSource>(x_.get(), options.pixelsPerWheelClick);
    screens_ = std::make_unique<XScreens>(x_.get());
    power_ = std::make_unique<ScreenSaverInhibitor>(x_.get(), bus);
    powerSources_ = std::make_unique<SysfsPowerSources>(options.powerSupplyRoot);
    brightness_ = std::make_unique<SysfsBacklight>(options.backlightRoot);
    hotKeys_ = std::make_unique<XGrabHotKeyService>(x_.get());
    loginItems_ = std::make_unique<XdgAutostartLoginItems>(
        options.executable.empty() ? defaultExecutable() : options.executable);
    notifications_ = std::make_unique<FreedesktopNotifications>(bus);
    workspace_ = std::make_unique<QtWorkspace>(options.releasesPage);
    system_ = std::make_unique<SyslogSystemInfo>();
}

LinuxDesktop::~LinuxDesktop() = default;

PlatformServices LinuxDesktop::services() const {
    PlatformServices services;
    services.runLoop = runLoop_.get();
    services.sleeper = sleeper_.get();
    services.events = events_.get();
    services.screens = screens_.get();
    services.power = power_.get();
    services.powerSources = powerSources_.get();
    services.brightness = brightness_.get();
    services.hotKeys = hotKeys_.get();
    services.loginItems = loginItems_.get();
    services.notifications = notifications_.get();
    services.workspace = workspace_.get();
    services.system = system_.get();
    return services;
}

std::vector<std::string> LinuxDesktop::shortcomings() const {
    std::vector<std::string> missing;
    if (!x_) {
        missing.emplace_back("No X11 display was found (Wayland sessions are not supported "
                             "yet): Wigglet can neither see idle time nor post input.");
        return missing;
    }
    if (!events_->mayPostEvents())
        missing.emplace_back("The X server has no XTEST extension: Wigglet cannot post input.");
    if (!events_->measuresIdleTime())
        missing.emplace_back(
            "The X server has no MIT-SCREEN-SAVER extension: Wigglet cannot see idle time.");
    if (!hasSessionBus_)
        missing.emplace_back("No D-Bus session bus: no desktop notifications, and the display "
                             "is kept awake through the X server only.");
    return missing;
}

} // namespace wigglet::desktop
