#include "platform/linux/LinuxDesktop.h"

#include "platform/linux/DesktopBackend.h"
#include "platform/linux/DesktopPowerManagement.h"
#include "platform/linux/KeepAwakeMechanism.h"
#include "platform/linux/dbus/BusIdleProbe.h"
#include "platform/linux/LinuxSystemEvents.h"
#include "platform/linux/dbus/BusInhibitor.h"
#include "platform/linux/dbus/DesktopSessionLock.h"
#include "platform/linux/dbus/FreedesktopNotifications.h"
#include "platform/linux/dbus/LogindIdleInhibitor.h"
#include "platform/linux/dbus/LogindIdleProbe.h"
#include "platform/linux/dbus/SessionBus.h"
#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/posix/SyslogSystemInfo.h"
#include "platform/linux/qt/QtRunLoop.h"
#include "platform/linux/qt/QtWorkspace.h"
#include "platform/linux/sysfs/SysfsBacklight.h"
#include "platform/linux/sysfs/SysfsPowerSources.h"
#include "platform/linux/xdg/XdgAutostartLoginItems.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
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

LinuxDesktop::LinuxDesktop(const LinuxDesktopOptions& options, DesktopBackend& backend)
    : backend_(backend) {
    backend_.start(options);
    bus_ = std::make_unique<SessionBus>(QDBusConnection::sessionBus());
    runLoop_ = std::make_unique<QtRunLoop>();
    sleeper_ = std::make_unique<RealSleeper>();
    keepAwake_ = backend_.keepAwakeMechanisms();
    keepAwake_.insert(keepAwake_.end(), options.moreKeepAwake.begin(), options.moreKeepAwake.end());
    if (bus_->isConnected()) {
        for (auto service : {BusInhibitor::screenSaver(), BusInhibitor::powerManagement(),
                             BusInhibitor::gnomeSession()}) {
            busInhibitors_.push_back(std::make_unique<BusInhibitor>(service, *bus_));
            keepAwake_.push_back(busInhibitors_.back().get());
        }
    }
    // Where no session service listens (wlroots compositors), logind's inhibitor does.
    if (QDBusConnection system = QDBusConnection::systemBus(); system.isConnected()) {
        logind_ = std::make_unique<LogindIdleInhibitor>(system);
        keepAwake_.push_back(logind_.get());
    }
    power_ = std::make_unique<DesktopPowerManagement>(keepAwake_);
    powerSources_ = std::make_unique<SysfsPowerSources>(options.powerSupplyRoot);
    brightness_ = std::make_unique<SysfsBacklight>(options.backlightRoot);
    loginItems_ = std::make_unique<XdgAutostartLoginItems>(
        options.executable.empty() ? defaultExecutable() : options.executable);
    notifications_ = std::make_unique<FreedesktopNotifications>(*bus_);
    workspace_ = std::make_unique<QtWorkspace>(options.releasesPage);
    system_ = std::make_unique<SyslogSystemInfo>();
    sessionLock_ = std::make_unique<DesktopSessionLock>(QDBusConnection::systemBus(), *bus_);
    systemEvents_ = std::make_unique<LinuxSystemEvents>(QDBusConnection::systemBus());
}

LinuxDesktop::~LinuxDesktop() {
    // The power manager releases through the mechanisms, so it goes first.
    power_.reset();
}

PlatformServices LinuxDesktop::services() const {
    PlatformServices services;
    services.runLoop = runLoop_.get();
    services.sleeper = sleeper_.get();
    services.events = &backend_.events();
    services.screens = &backend_.screens();
    services.power = power_.get();
    services.powerSources = powerSources_.get();
    services.brightness = brightness_.get();
    services.hotKeys = &backend_.hotKeys();
    services.loginItems = loginItems_.get();
    services.notifications = notifications_.get();
    services.workspace = workspace_.get();
    services.system = system_.get();
    services.sessionLock = sessionLock_.get();
    services.systemEvents = systemEvents_.get();
    return services;
}

std::vector<std::string> LinuxDesktop::shortcomings() const {
    std::vector<std::string> missing = backend_.shortcomings();
    if (!bus_->isConnected())
        missing.emplace_back("No D-Bus session bus: no desktop notifications, and the display "
                             "is kept awake through the display server only.");
    return missing;
}

std::vector<std::string> LinuxDesktop::notes() const {
    std::string line = "keeping the display awake through:";
    for (std::size_t i = 0; i < keepAwake_.size(); ++i)
        line += (i ? ", " : " ") + keepAwake_[i]->description();
    if (keepAwake_.empty())
        line += " nothing";
    std::vector<std::string> notes = backend_.notes();
    notes.push_back(line);
    return notes;
}

namespace {

ServiceReport keepAwakeReport(const std::vector<KeepAwakeMechanism*>& mechanisms, bool bus) {
    ServiceReport report{"keeping the display awake", {}, {}, {}};
    for (const KeepAwakeMechanism* mechanism : mechanisms) {
        if (!mechanism->isAvailable())
            report.unavailable.push_back({mechanism->description(), "not running now"});
        else
            report.mechanism += (report.mechanism.empty() ? "" : ", ") + mechanism->description();
    }
    if (!bus)
        report.unavailable.push_back(
            {"org.freedesktop.ScreenSaver, org.freedesktop.PowerManagement", "no session bus"});
    return report;
}

bool servedOrActivatable(const QDBusConnection& bus, const QString& name) {
    if (!bus.isConnected())
        return false;
    QDBusConnectionInterface* names = bus.interface();
    return names->isServiceRegistered(name).value() ||
           names->activatableServiceNames().value().contains(name);
}

} // namespace

std::vector<ServiceReport> LinuxDesktop::describe() const {
    std::vector<ServiceReport> reports = backend_.describe();
    reports.insert(reports.begin() + 1, keepAwakeReport(keepAwake_, bus_->isConnected()));
    ServiceReport notifications{"notifications", {}, {}, {}};
    const QString notifier = QStringLiteral("org.freedesktop.Notifications");
    if (servedOrActivatable(bus_->connection(), notifier))
        notifications.mechanism = "org.freedesktop.Notifications";
    else
        notifications.unavailable.push_back(
            {"org.freedesktop.Notifications",
             bus_->isConnected() ? "no notification daemon on the session bus" : "no session bus"});
    if (notifications.mechanism.empty())
        notifications.advice = "Install a notification daemon (dunst, mako) for the end-of-period "
                               "notice.";
    reports.push_back(std::move(notifications));
    ServiceReport dimming{"dimming", {}, {}, {}};
    if (const auto device = brightness_->preferredDevice()) {
        dimming.mechanism = "logind's SetBrightness on " + device->name();
    } else {
        dimming.mechanism = "the brightness keys, where the desktop acts on them";
        dimming.unavailable.push_back({"logind's SetBrightness", "no backlight device in sysfs"});
    }
    reports.push_back(std::move(dimming));
    reports.push_back({"login", "an XDG autostart entry ($XDG_CONFIG_HOME/autostart)", {}, {}});
    return reports;
}

std::vector<std::unique_ptr<IdleProbe>> LinuxDesktop::idleProbes() {
    std::vector<std::unique_ptr<IdleProbe>> probes = backend_.idleProbes();
    for (auto source : {BusIdleProbe::mutterIdleMonitor(), BusIdleProbe::screenSaverIdleTime()})
        probes.push_back(std::make_unique<BusIdleProbe>(source, bus_->connection()));
    probes.push_back(std::make_unique<LogindIdleProbe>(QDBusConnection::systemBus()));
    return probes;
}

} // namespace wigglet::desktop
