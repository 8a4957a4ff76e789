#pragma once

#include "platform/linux/DesktopBackend.h"
#include "platform/linux/RemoteInputRoute.h"

#include <QDBusConnection>
#include <memory>
#include <optional>
#include <string>

namespace wigglet::desktop {

class WaylandConnection;
class LogindBacklight;
class WaylandSeat;
class WaylandEventSource;
class WaylandScreens;
class LayerShellPointerProbe;
class WaylandInputDevice;

// A Wayland session on a wlroots compositor (sway), KWin or GNOME's mutter: one connection of
// its own for the input devices, the idle notifications and the layer-shell pointer probe, and
// KDE's global shortcuts when kglobalaccel is on the session bus. Mutter offers none of these
// protocols; on GNOME (XDG_CURRENT_DESKTOP, or mutter's names on the session bus) idle time
// comes from its idle monitor and input from its remote-desktop interface or the portal.
// What the compositor does not offer is found once, from its globals, and said by
// shortcomings().
class WaylandBackend : public DesktopBackend {
  public:
    // Where the pointer cannot be read, relative paths are a fifth of their size, so that a
    // screen edge in the way holds little of them back.
    static constexpr double relativeScale = 0.2;

    // An empty name means $WAYLAND_DISPLAY. The session bus has kglobalaccel and the portal.
    explicit WaylandBackend(std::string displayName = {},
                            QDBusConnection sessionBus = QDBusConnection::sessionBus());
    ~WaylandBackend() override;

    const char* name() const override { return gnome_ ? "gnome" : "wayland"; }
    std::string prepare() override;
    void start(const LinuxDesktopOptions& options) override;

    EventSource& events() override;
    Screens& screens() override;
    HotKeyService& hotKeys() override;
    // The session bus's services keep a wlroots session awake; nothing of its own is needed.
    std::vector<KeepAwakeMechanism*> keepAwakeMechanisms() override { return {}; }
    std::vector<std::string> shortcomings() const override;
    std::string sessionDescription() const override;
    std::vector<ServiceReport> describe() const override;
    std::vector<std::unique_ptr<IdleProbe>> idleProbes() override;
    std::vector<std::string> notes() const override;

  private:
    std::unique_ptr<WaylandInputDevice> remoteInputDevice(RemoteInputRoute wanted);

    std::string displayName_;
    QDBusConnection sessionBus_;
    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<WaylandSeat> seat_;
    std::unique_ptr<LayerShellPointerProbe> probe_;
    std::unique_ptr<WaylandScreens> screens_;
    std::unique_ptr<LogindBacklight> backlight_;
    std::unique_ptr<WaylandEventSource> events_;
    std::unique_ptr<HotKeyService> hotKeys_;
    bool kdeShortcuts_ = false;
    bool portalShortcuts_ = false;
    bool gnome_ = false;
    std::optional<RemoteInputRoute> remoteRoute_;
};

} // namespace wigglet::desktop
