#include "doctor/Doctor.h"

#include "doctor/DoctorReport.h"
#include "doctor/LiveCheck.h"
#include "doctor/SleepBlockers.h"
#include "foundation/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/linux/DesktopBackend.h"
#include "platform/linux/KeepAwakeMechanism.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/dbus/SessionBus.h"

#include <QApplication>
#include <QDBusConnection>
#include <QSystemTrayIcon>
#include <algorithm>
#include <cstdio>

namespace wigglet::doctor {

namespace {

desktop::ServiceReport trayReport() {
    desktop::ServiceReport tray{"tray", {}, {}, {}};
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray.mechanism = "the desktop's system tray";
    } else {
        tray.unavailable.push_back({"StatusNotifierItem, XEmbed tray", "no tray is running"});
        tray.advice = "Start a tray (a panel with a tray, or a StatusNotifier host); meanwhile "
                      "the shortcut and `wigglet status` work.";
    }
    return tray;
}

void printReport(const DoctorReport& report, bool json) {
    const std::string text = json ? report.toJson().dump(2) + "\n" : report.toText();
    std::fputs(text.c_str(), stdout);
}

DoctorReport unreachable(const Doctor::Inputs& inputs) {
    DoctorReport report;
    report.session = "no display server can be reached";
    report.backend = "none";
    report.notes = inputs.notes;
    report.stepTaken = "not made: no display server";
    return report;
}

} // namespace

int Doctor::run(int argc, char** argv, bool json, Inputs inputs) {
    if (!inputs.backend) {
        const DoctorReport report = unreachable(inputs);
        printReport(report, json);
        return 1;
    }
    QApplication app(argc, argv);
    if (!json)
        std::fputs("Checking for about 5 seconds: please leave the keyboard and mouse alone.\n",
                   stderr);
    desktop::LinuxDesktopOptions options;
    const auto more = inputs.moreKeepAwake ? inputs.moreKeepAwake() : nullptr;
    if (more)
        options.moreKeepAwake.push_back(more.get());
    desktop::LinuxDesktop desktop(options, *inputs.backend);
    Platform platform(desktop.services());
    PlatformScope scope(platform);
    // The step is Wigglet's with a pointer move, whatever the user's settings say.
    auto settings = std::make_shared<SettingsStore>();
    settings->setBool(SettingsKey::moveCursorEnabled, true);
    platform.provide(settings);

    DoctorReport report;
    report.session = inputs.backend->sessionDescription();
    report.backend = inputs.backend->name();
    report.notes = inputs.notes;
    report.services = desktop.describe();
    const auto shortcut =
        std::ranges::find(report.services, "shortcut", &desktop::ServiceReport::service);
    report.services.insert(shortcut == report.services.end() ? shortcut : shortcut + 1,
                           trayReport());

    auto probes = desktop.idleProbes();
    if (inputs.moreProbes)
        for (auto& probe : inputs.moreProbes())
            probes.push_back(std::move(probe));
    report.idleSources = LiveCheck(std::move(probes)).run();
    report.stepTaken = LiveCheck::stepDescription();
    report.blockers =
        SleepBlockers(QDBusConnection::systemBus(), desktop.sessionBus().connection()).list();
    platform.dropSharedInstances();
    printReport(report, json);
    return report.works() ? 0 : 1;
}

} // namespace wigglet::doctor
