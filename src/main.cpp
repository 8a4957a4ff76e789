// wigglet: the desktop program. Builds the Linux platform and the Qt interface around the
// core, and answers the script verbs (shake, stop, toggle, status).

#include "app/AppDelegate.h"
#include "app/Links.h"
#include "control/ApplicationBusAdaptor.h"
#include "control/CommandLine.h"
#include "control/ControlBusAdaptor.h"
#include "control/ControlClient.h"
#include "control/ShakingNotification.h"
#include "doctor/Doctor.h"
#include "foundation/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/linux/ApplicationId.h"
#include "platform/linux/BackendChooser.h"
#include "platform/linux/KeepAwakeMechanism.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/RemoteInputRoute.h"
#include "platform/linux/SingleInstance.h"
#include "platform/linux/dbus/GlobalShortcutsPortal.h"
#include "platform/linux/dbus/MutterRemoteDesktop.h"
#include "platform/linux/dbus/SessionBus.h"
#include "platform/linux/gsettings/GnomeCustomShortcut.h"
#include "system/NapperManager.h"
#include "ui/QtUserInterface.h"
#include "ui/QtWindowPresenter.h"
#include "ui/StartupNotices.h"
#ifdef WIGGLET_HAVE_X11
#include "platform/linux/x11/X11Backend.h"
#include "platform/linux/x11/XServerIdleProbe.h"
#include "platform/linux/x11/XWaylandScreenSaver.h"
#endif
#ifdef WIGGLET_HAVE_WAYLAND
#include "platform/linux/wayland/WaylandBackend.h"
#endif

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>
#include <utility>

// Libraries that keep caches for the life of the process, which the leak checker of the
// sanitizer build would report at every exit.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus-1\nleak:libQt6DBus\nleak:libxcb\n";
}

namespace {

using wigglet::CommandLine;

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop, so that the program ends the way Quit ends it.
void quitOnSignals(QApplication& app) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] { app.quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

using wigglet::desktop::BackendChooser;
using wigglet::desktop::SessionKind;

BackendChooser::Choice chooseBackend() {
    BackendChooser chooser([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    });
#ifdef WIGGLET_HAVE_X11
    chooser.add(SessionKind::X11, [] { return std::make_unique<wigglet::desktop::X11Backend>(); });
#endif
#ifdef WIGGLET_HAVE_WAYLAND
    chooser.add(SessionKind::Wayland,
                [] { return std::make_unique<wigglet::desktop::WaylandBackend>(); });
#endif
    return chooser.choose();
}

// Without a FAQ address of the build's own, the FAQ item opens the README installed beside the
// program (share/doc/wigglet next to bin/), and stays hidden where there is none.
void useInstalledReadmeForFaq() {
    wigglet::LinkAddresses addresses = wigglet::links::addresses();
    if (!addresses.faq.empty())
        return;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path readme =
        program.parent_path().parent_path() / "share/doc/wigglet/README.html";
    if (error || !std::filesystem::is_regular_file(readme, error))
        return;
    addresses.faq = "file://" + readme.string();
    wigglet::links::setAddresses(std::move(addresses));
}

// A second launch asks the running Wigglet to show itself, as the application grid does, and
// hands on the token that lets the desktop raise its window.
void activateRunning() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(wigglet::desktop::applicationId),
        QString::fromLatin1(wigglet::ControlBusAdaptor::objectPath),
        QString::fromLatin1(wigglet::ApplicationBusAdaptor::interfaceName),
        QStringLiteral("Activate"));
    QVariantMap platformData;
    for (const auto& [variable, key] : {std::pair{"XDG_ACTIVATION_TOKEN", "activation-token"},
                                        std::pair{"DESKTOP_STARTUP_ID", "desktop-startup-id"}})
        if (const char* value = std::getenv(variable); value && *value)
            platformData.insert(QString::fromLatin1(key), QString::fromLocal8Bit(value));
    call << platformData;
    bus.call(call, QDBus::Block, 5000);
}

void tellAlreadyRunning() {
    activateRunning();
    std::puts("Wigglet is already running.");
}

// Where GNOME offers no shortcut portal (before 48), the preferences offer to add one to its
// settings.
std::unique_ptr<wigglet::CustomShortcutSettings> gnomeShortcutSettings() {
    using wigglet::desktop::GnomeCustomShortcut;
    if (!GnomeCustomShortcut::available() ||
        wigglet::desktop::GlobalShortcutsPortal::offeredOn(QDBusConnection::sessionBus()))
        return nullptr;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    // The installed program by its name, as a user would write it; any other by its path.
    const bool installed = !error && program.parent_path() == "/usr/bin";
    const std::string command =
        (installed || error ? std::string("wigglet") : program.string()) + " toggle";
    return std::make_unique<GnomeCustomShortcut>("Wigglet", command);
}

void tellAboutMissingTray() {
    std::fputs("wigglet: no system tray is running; Wigglet's icon appears as soon as one "
               "starts. Meanwhile Wigglet's window (starting wigglet again brings it back) and "
               "the global shortcut (Alt+Super+S by default) switch shaking on and off, and "
               "`wigglet status` tells the state.\n",
               stderr);
}

#ifdef WIGGLET_HAVE_X11
// Under a Wayland backend, X programs read XWayland's count, which the backend cannot see.
bool hasXWayland(const wigglet::desktop::DesktopBackend& backend) {
    const char* display = std::getenv("DISPLAY");
    return std::string(backend.name()) == "wayland" && display && *display;
}
#endif

std::vector<std::unique_ptr<wigglet::desktop::IdleProbe>>
xwaylandProbes([[maybe_unused]] const wigglet::desktop::DesktopBackend& backend) {
    std::vector<std::unique_ptr<wigglet::desktop::IdleProbe>> probes;
#ifdef WIGGLET_HAVE_X11
    if (hasXWayland(backend))
        probes.push_back(std::make_unique<wigglet::desktop::XServerIdleProbe>(
            std::string(), "XWayland screen-saver idle"));
#endif
    return probes;
}

// What resets XWayland's count, which the compositor's input does not reach.
std::unique_ptr<wigglet::desktop::KeepAwakeMechanism>
xwaylandSaver([[maybe_unused]] const wigglet::desktop::DesktopBackend& backend) {
#ifdef WIGGLET_HAVE_X11
    if (hasXWayland(backend))
        return wigglet::desktop::XWaylandScreenSaver::open();
#endif
    return nullptr;
}

int runDoctor(int argc, char** argv, const CommandLine& line) {
    BackendChooser::Choice choice = chooseBackend();
    wigglet::doctor::Doctor::Inputs inputs;
    inputs.backend = choice.backend.get();
    inputs.notes = choice.notes;
    if (choice.backend) {
        inputs.moreProbes = [&choice] { return xwaylandProbes(*choice.backend); };
        inputs.moreKeepAwake = [&choice] { return xwaylandSaver(*choice.backend); };
    }
    return wigglet::doctor::Doctor::run(argc, argv, line.json, std::move(inputs));
}

int runTray(int argc, char** argv, const CommandLine& line) {
    BackendChooser::Choice choice = chooseBackend();
    if (!choice.backend) {
        for (const std::string& note : choice.notes)
            std::fprintf(stderr, "wigglet: %s\n", note.c_str());
        std::fputs("wigglet: no display server can be reached; Wigglet needs a graphical "
                   "session\n",
                   stderr);
        return 1;
    }
    if (line.verbose) {
        for (const std::string& note : choice.notes)
            std::fprintf(stderr, "wigglet: %s\n", note.c_str());
        std::fprintf(stderr, "wigglet: using the %s backend\n", choice.backend->name());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(wigglet::desktop::applicationName);
    QApplication::setApplicationVersion(WIGGLET_VERSION);
    QApplication::setDesktopFileName(wigglet::desktop::applicationId);
    QApplication::setQuitOnLastWindowClosed(false);

    wigglet::desktop::SingleInstance instance(wigglet::desktop::applicationId);
    if (instance.otherIsRunning()) {
        tellAlreadyRunning();
        return 0;
    }

    const std::filesystem::path settings = line.settingsPath
                                               ? std::filesystem::path(*line.settingsPath)
                                               : wigglet::SettingsStore::defaultPath();
    wigglet::desktop::LinuxDesktopOptions options;
    options.exitWhenDisplayIsLost = true;
    const auto xwayland = xwaylandSaver(*choice.backend);
    if (xwayland)
        options.moreKeepAwake.push_back(xwayland.get());
    // Read before the platform exists, since the backend picks its input service at start.
    options.remoteInput = wigglet::desktop::remoteInputRouteNamed(
        wigglet::SettingsStore::peekString(settings, wigglet::remoteInputRouteKey).value_or(""));
    wigglet::desktop::LinuxDesktop desktop(options, *choice.backend);
    for (const std::string& missing : desktop.shortcomings())
        std::fprintf(stderr, "wigglet: %s\n", missing.c_str());
    if (line.verbose)
        for (const std::string& note : desktop.notes())
            std::fprintf(stderr, "wigglet: %s\n", note.c_str());

    wigglet::Platform platform(desktop.services());
    wigglet::PlatformScope scope(platform);
    platform.random().reseed((std::uint64_t(std::random_device{}()) << 32) ^
                             std::random_device{}());
    const double started = platform.runLoop().now();
    platform.trace().setClock([&platform, started] { return platform.runLoop().now() - started; });
    if (line.tracePath && !platform.trace().open(*line.tracePath)) {
        std::fprintf(stderr, "wigglet: cannot write the trace %s: %s\n", line.tracePath->c_str(),
                     std::strerror(errno));
        return 1;
    }
    platform.provide(std::make_shared<wigglet::SettingsStore>(settings));
    wigglet::AppDelegate::verbose = line.verbose;
    useInstalledReadmeForFaq();

    int status = 0;
    {
        const auto shortcuts = gnomeShortcutSettings();
        wigglet::AppDelegate delegate;
        wigglet::QtUserInterface ui(delegate);
        wigglet::ControlBusAdaptor control(delegate);
        control.exportOnSessionBus();
        const bool trayless = !QSystemTrayIcon::isSystemTrayAvailable();
        ui.windows().addDesktopPane(
            trayless, shortcuts.get(),
            wigglet::desktop::MutterRemoteDesktop::offeredOn(QDBusConnection::sessionBus()));
        wigglet::ShakingNotification shakingNotice(delegate, control.remote(), trayless);
        control.application().quit = [] { QApplication::quit(); };
        if (!instance.claim()) {
            tellAlreadyRunning();
            return 0;
        }
        // Scripts and panels find the program again on a session bus that comes back.
        const int rejoined = desktop.sessionBus().onRejoined([&](QDBusConnection bus) {
            control.exportOn(bus);
            instance.claimOn(bus);
            shakingNotice.start(bus);
        });
        if (trayless)
            tellAboutMissingTray();
        quitOnSignals(app);
        delegate.applicationDidFinishLaunching();
        shakingNotice.start(QDBusConnection::sessionBus());
        // Without a tray the window is Wigglet's face; started by the bus, it waits for Activate.
        if (trayless && !line.service)
            delegate.showMainWindow();
        wigglet::StartupNotices::tell(wigglet::SettingsStore::shared());
        status = QApplication::exec();
        delegate.applicationWillTerminate();
        desktop.sessionBus().forget(rejoined);
        // The session's screen saver must not stay inhibited by a program that has ended.
        wigglet::NapperManager::shared().stopKeepAlive();
    }
    platform.dropSharedInstances();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = CommandLine::parse(args);
    if (!parsed.line) {
        std::fprintf(stderr, "wigglet: %s\n%s", parsed.error.c_str(), CommandLine::usage());
        return 2;
    }
    const CommandLine& line = *parsed.line;
    switch (line.verb) {
    case CommandLine::Verb::Version:
        std::printf("wigglet %s\n", WIGGLET_VERSION);
        return 0;
    case CommandLine::Verb::Help:
        std::fputs(CommandLine::usage(), stdout);
        std::fputs(CommandLine::help(), stdout);
        return 0;
    case CommandLine::Verb::Run:
        return runTray(argc, argv, line);
    case CommandLine::Verb::Doctor:
        return runDoctor(argc, argv, line);
    default:
        return wigglet::ControlClient::run(line);
    }
}
