#pragma once

#include "platform/linux/DesktopBackend.h"

#include <memory>

struct _XDisplay;

namespace wigglet::desktop {

class XConnection;
class LogindBacklight;
class XTestEventSource;
class XScreens;
class XGrabHotKeyService;
class XServerScreenSaver;
class XScreensaverDaemon;

// An X11 session, XWayland included: one Xlib connection shared by XTest input, the
// MIT-SCREEN-SAVER idle count, XRandR screens and XGrabKey.
class X11Backend : public DesktopBackend {
  public:
    X11Backend();
    ~X11Backend() override;

    const char* name() const override { return "x11"; }
    std::string prepare() override;
    void start(const LinuxDesktopOptions& options) override;

    EventSource& events() override;
    Screens& screens() override;
    HotKeyService& hotKeys() override;
    std::vector<KeepAwakeMechanism*> keepAwakeMechanisms() override;
    std::vector<std::string> shortcomings() const override;
    std::string sessionDescription() const override;
    std::vector<ServiceReport> describe() const override;
    std::vector<std::unique_ptr<IdleProbe>> idleProbes() override;

  private:
    struct ProbeCloser {
        void operator()(_XDisplay* display) const;
    };

    std::unique_ptr<_XDisplay, ProbeCloser> probe_;
    std::unique_ptr<XConnection> x_;
    std::string displayName_;
    std::unique_ptr<LogindBacklight> backlight_;
    std::unique_ptr<XTestEventSource> events_;
    std::unique_ptr<XScreens> screens_;
    std::unique_ptr<XGrabHotKeyService> hotKeys_;
    std::unique_ptr<XServerScreenSaver> saver_;
    std::unique_ptr<XScreensaverDaemon> xscreensaver_;
};

} // namespace wigglet::desktop
