#include "platform/linux/wayland/WaylandBackend.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/dbus/GlobalShortcutsPortal.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"
#include "platform/linux/wayland/LayerShellPointerProbe.h"
#include "platform/linux/wayland/PortalInputDevice.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandHotKeyService.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QtGlobal>
#include <cstdlib>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

std::string bindingAdviceLine(const BindingAdvice& advice) {
    if (advice.line.empty())
        return "This desktop lets no program register a shortcut: bind the command "
               "`wigglet toggle` to a key in its own settings.";
    return advice.desktop + " lets no program register a shortcut. Add this line to " +
           advice.configurationFile + ": " + advice.line;
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
    kdeShortcuts_ = KGlobalAccelHotKeyService::offeredOn(bus);
    if (kdeShortcuts_)
        hotKeys_ = std::make_unique<KGlobalAccelHotKeyService>(bus);
    else if (GlobalShortcutsPortal::offeredOn(bus))
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
    auto portal = [bus, screens = screens_.get()]() -> std::unique_ptr<WaylandInputDevice> {
        return PortalInputDevice::create(bus, [screens] { return screens->compositorPointer(); });
    };
    events_ =
        std::make_unique<WaylandEventSource>(connection_.get(), seat_.get(), *screens_,
                                             options.pixelsPerWheelClick, backlight_.get(), portal);
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
    if (events_->usesFallbackDevice())
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
    if (!probe_ || !probe_->available())
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

} // namespace wigglet::desktop
