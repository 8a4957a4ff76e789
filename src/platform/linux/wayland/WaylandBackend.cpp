#include "platform/linux/wayland/WaylandBackend.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/PeerProgram.h"
#include "platform/linux/dbus/GlobalShortcutsPortal.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/dbus/MutterIdleMonitor.h"
#include "platform/linux/dbus/MutterRemoteDesktop.h"
#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"
#include "platform/linux/wayland/LayerShellPointerProbe.h"
#include "platform/linux/wayland/RelativeInputDevice.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandHotKeyService.h"
#include "platform/linux/wayland/WaylandIdleProbe.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QtGlobal>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

std::string bindingAdviceLine(const BindingAdvice& advice) {
    if (advice.line.empty())
        return "This desktop lets no program register a shortcut: bind the command "
               "`wigglet toggle` to a key in its own settings.";
    return advice.desktop + " lets no program register a shortcut. Add this line to " +
           advice.configurationFile + ": " + advice.line;
}

// XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME", "GNOME-Classic:GNOME").
bool desktopIsGnome() {
    const QByteArray desktops = qgetenv("XDG_CURRENT_DESKTOP");
    for (const QByteArray& desktop : desktops.split(':'))
        if (desktop.compare("GNOME", Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool runsInSandbox() {
    std::error_code ignored;
    return std::filesystem::exists("/.flatpak-info", ignored) ||
           !qEnvironmentVariableIsEmpty("SNAP");
}

void quitOnLostCompositor() {
    static const char line[] = "wigglet: the Wayland compositor has gone away; quitting\n";
    [[maybe_unused]] const auto ignored = ::write(STDERR_FILENO, line, sizeof line - 1);
    ::_exit(1);
}

} // namespace

WaylandBackend::WaylandBackend(std::string displayName, QDBusConnection sessionBus)
    : displayName_(std::move(displayName)), sessionBus_(std::move(sessionBus)) {}
WaylandBackend::~WaylandBackend() {
    // The adapters speak through the connection, so they go first.
    events_.reset();
    probe_.reset();
    seat_.reset();
}

std::string WaylandBackend::prepare() {
    connection_ = WaylandConnection::open(displayName_);
    if (!connection_) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        return std::string("cannot connect to the Wayland compositor") +
               (!displayName_.empty() ? " " + displayName_
                : name && *name       ? std::string(" ") + name
                                      : " (WAYLAND_DISPLAY is not set)");
    }
    gnome_ = desktopIsGnome();
    // Screens come from Qt, which must then be on the same compositor; XWayland's are the
    // same screens, for a Qt without its Wayland plugin.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("wayland;xcb"));
    return {};
}

void WaylandBackend::start(const LinuxDesktopOptions& options) {
    if (!connection_)
        connection_ = WaylandConnection::open(displayName_);
    const QDBusConnection bus = sessionBus_;
    gnome_ = gnome_ || MutterIdleMonitor::offeredOn(bus) || MutterRemoteDesktop::offeredOn(bus);
    kdeShortcuts_ = KGlobalAccelHotKeyService::offeredOn(bus);
    if (kdeShortcuts_)
        hotKeys_ = std::make_unique<KGlobalAccelHotKeyService>(bus);
    else if ((portalShortcuts_ = GlobalShortcutsPortal::offeredOn(bus)))
        hotKeys_ = std::make_unique<GlobalShortcutsPortal>(bus);
    else
        hotKeys_ = std::make_unique<WaylandHotKeyService>();
    backlight_ =
        std::make_unique<LogindBacklight>(QDBusConnection::systemBus(), options.backlightRoot);
    if (!connection_) {
        screens_ = std::make_unique<WaylandScreens>(nullptr);
        events_ = std::make_unique<WaylandEventSource>(
            nullptr, nullptr, *screens_, WaylandEventSource::defaultPixelsPerWheelClick,
            backlight_.get());
        return;
    }
    // Opened in prepare(), before the event loop could watch it.
    connection_->watchFromEventLoop();
    if (options.exitWhenDisplayIsLost)
        connection_->onBroken(quitOnLostCompositor);
    seat_ = std::make_unique<WaylandSeat>(*connection_);
    probe_ = std::make_unique<LayerShellPointerProbe>(*connection_, *seat_);
    screens_ = std::make_unique<WaylandScreens>(probe_.get());
    auto remote = [this, wanted = options.remoteInput] { return remoteInputDevice(wanted); };
    auto idle = [bus, connection = connection_.get()]() -> std::unique_ptr<IdleClock> {
        if (!MutterIdleMonitor::offeredOn(bus))
            return nullptr;
        return std::make_unique<MutterIdleMonitor>(bus, &WaylandConnection::now, [connection] {
            return connection->lastSyntheticInput();
        });
    };
    events_ = std::make_unique<WaylandEventSource>(connection_.get(), seat_.get(), *screens_,
                                                   options.pixelsPerWheelClick, backlight_.get(),
                                                   remote, idle);
}

std::unique_ptr<WaylandInputDevice> WaylandBackend::remoteInputDevice(RemoteInputRoute wanted) {
    const QDBusConnection bus = sessionBus_;
    remoteRoute_ = resolveRemoteInputRoute(
        wanted, runsInSandbox(), [bus] { return RemoteDesktopPortal::offeredOn(bus); },
        MutterRemoteDesktop::offeredOn(bus));
    if (!remoteRoute_)
        return nullptr;
    auto pointer = [screens = screens_.get()] { return screens->compositorPointer(); };
    // Where the probe reads the pointer, the core keeps its paths clear of the edges itself.
    const double scale = probe_ && probe_->available() ? 1 : relativeScale;
    if (*remoteRoute_ == RemoteInputRoute::mutter)
        return RelativeInputDevice::overMutter(bus, pointer, scale);
    return RelativeInputDevice::overPortal(bus, pointer, scale);
}

EventSource& WaylandBackend::events() {
    return *events_;
}

Screens& WaylandBackend::screens() {
    return *screens_;
}

HotKeyService& WaylandBackend::hotKeys() {
    return *hotKeys_;
}

std::vector<std::string> WaylandBackend::shortcomings() const {
    if (!connection_)
        return {"No Wayland compositor was found: Wigglet can neither see idle time nor post "
                "input."};
    // Without input and idle time the rest does not matter: one line says it all.
    if (!events_->mayPostEvents() && !events_->measuresIdleTime())
        return {"This compositor offers no way for applications to send input or see idle "
                "time (no virtual-pointer or idle protocol): Wigglet can only keep the display "
                "awake here."};
    std::vector<std::string> missing;
    const bool mutterInput =
        events_->usesFallbackDevice() && remoteRoute_ == RemoteInputRoute::mutter;
    if (mutterInput)
        missing.emplace_back("GNOME lets Wigglet move the pointer only by small steps that "
                             "return to where they started (short of it right at a screen "
                             "edge), and shows its remote-control icon during each step.");
    else if (events_->usesFallbackDevice())
        missing.emplace_back("Input goes through the desktop's Remote Desktop permission: the "
                             "desktop asks once to allow it.");
    else if (!events_->mayPostEvents() && kdeShortcuts_)
        missing.emplace_back("KWin lets only the installed Wigglet send input: start the "
                             "program its desktop entry names, after installing it.");
    else if (!events_->mayPostEvents())
        missing.emplace_back("This compositor offers no way for applications to send input (no "
                             "virtual-pointer protocol): Wigglet cannot move the pointer.");
    else if (!events_->hasKeyboard())
        missing.emplace_back("This compositor offers no virtual keyboard: Wigglet cannot "
                             "press keys.");
    if (!events_->measuresIdleTime())
        missing.emplace_back("This compositor offers no idle notifications: Wigglet cannot see "
                             "idle time.");
    if ((!probe_ || !probe_->available()) && !mutterInput)
        missing.emplace_back("This compositor offers no layer-shell: Wigglet cannot read the "
                             "pointer position and assumes it stays where Wigglet put it.");
    if (kdeShortcuts_)
        return missing;
    // Told for the shortcut Wigglet starts with, on one line.
    const auto advice = hotKeys_->bindingAdvice(virtualKey::ansiS,
                                                carbonModifier::optionKey | carbonModifier::cmdKey);
    if (advice)
        missing.push_back(bindingAdviceLine(*advice));
    return missing;
}

std::string WaylandBackend::sessionDescription() const {
    if (!connection_)
        return "Wayland, compositor not reachable";
    const std::string compositor = peerProgram(wl_display_get_fd(connection_->display()));
    return "Wayland (compositor " + (compositor.empty() ? "unknown" : compositor) + ")";
}

std::vector<ServiceReport> WaylandBackend::describe() const {
    const bool reachable = connection_ != nullptr;
    const auto has = [this](const char* global) { return connection_ && connection_->has(global); };
    std::vector<ServiceReport> reports;

    ServiceReport& idle = reports.emplace_back();
    idle.service = "idle time";
    if (has("ext_idle_notifier_v1"))
        idle.mechanism = "ext-idle-notify";
    else if (has("org_kde_kwin_idle"))
        idle.mechanism = "KDE idle protocol";
    else if (events_->usesFallbackIdle())
        idle.mechanism = "Mutter's idle monitor";
    else
        idle.unavailable.push_back({"ext-idle-notify, KDE idle protocol",
                                    reachable ? "the compositor offers neither" : "no compositor"});

    ServiceReport& input = reports.emplace_back();
    input.service = "input";
    if (events_->usesFallbackDevice() && remoteRoute_ == RemoteInputRoute::mutter)
        input.mechanism = "GNOME's remote-desktop interface (asks nothing)";
    else if (events_->usesFallbackDevice())
        input.mechanism = "the Remote Desktop portal (the desktop asks once)";
    else if (events_->mayPostEvents())
        input.mechanism =
            has("zwlr_virtual_pointer_manager_v1") ? "wlroots virtual pointer" : "KWin fake input";
    for (const char* global : {"zwlr_virtual_pointer_manager_v1", "org_kde_kwin_fake_input"})
        if (!has(global))
            input.unavailable.push_back({global, "not offered by the compositor"});
    if (!events_->mayPostEvents() && kdeShortcuts_)
        input.advice = "KWin lends fake input to installed programs only: start the installed "
                       "Wigglet.";

    ServiceReport& pointer = reports.emplace_back();
    pointer.service = "pointer position";
    if (probe_ && probe_->available())
        pointer.mechanism = "a layer-shell probe";
    else
        pointer.unavailable.push_back(
            {"zwlr_layer_shell_v1", "not offered: the pointer is assumed where Wigglet put it"});

    ServiceReport& shortcut = reports.emplace_back();
    shortcut.service = "shortcut";
    if (kdeShortcuts_) {
        shortcut.mechanism = "kglobalaccel";
    } else if (portalShortcuts_) {
        shortcut.mechanism = "the GlobalShortcuts portal (the desktop asks once)";
    } else {
        shortcut.unavailable.push_back({"kglobalaccel", "not on the session bus"});
        shortcut.unavailable.push_back({"GlobalShortcuts portal", "not offered"});
        const auto advice = hotKeys_->bindingAdvice(virtualKey::ansiS, carbonModifier::optionKey |
                                                                           carbonModifier::cmdKey);
        if (advice)
            shortcut.advice = bindingAdviceLine(*advice);
    }
    return reports;
}

std::vector<std::unique_ptr<IdleProbe>> WaylandBackend::idleProbes() {
    std::vector<std::unique_ptr<IdleProbe>> probes;
    probes.push_back(
        std::make_unique<WaylandIdleProbe>(connection_.get(), seat_ ? seat_->seat() : nullptr));
    return probes;
}

std::vector<std::string> WaylandBackend::notes() const {
    if (!gnome_ || !events_)
        return {};
    std::string line = "GNOME session: idle time from ";
    line += events_->usesFallbackIdle() ? "Mutter's idle monitor" : "nowhere (no idle monitor)";
    line += "; input through ";
    if (!events_->usesFallbackDevice())
        line += events_->mayPostEvents() ? "the compositor's own protocol" : "nothing";
    else if (remoteRoute_ == RemoteInputRoute::mutter)
        line += "GNOME's remote-desktop interface (asks nothing)";
    else
        line += "the Remote Desktop portal (asks the user)";
    return {line};
}

} // namespace wigglet::desktop
