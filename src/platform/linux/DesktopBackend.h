#pragma once

#include "platform/linux/IdleProbe.h"
#include "platform/linux/ServiceReport.h"

#include <memory>
#include <string>
#include <vector>

namespace wigglet {
class EventSource;
class Screens;
class HotKeyService;
} // namespace wigglet

namespace wigglet::desktop {

class KeepAwakeMechanism;
struct LinuxDesktopOptions;

// The services that depend on the display server (input, the pointer and screens, the
// global shortcut), built for one kind of session. The services every Linux desktop shares
// (session bus, sysfs, XDG, the event loop) are LinuxDesktop's.
class DesktopBackend {
  public:
    virtual ~DesktopBackend() = default;

    // Short name for messages: "x11", "wayland".
    virtual const char* name() const = 0;
    // Before the Qt application exists: whether the session's display can be reached, and
    // the Qt platform plugin to use. Empty when it can; otherwise the reason, for the user.
    virtual std::string prepare() = 0;
    // Once the Qt application exists: opens the backend's connections. What cannot be
    // reached is said by shortcomings(); every service still answers.
    virtual void start(const LinuxDesktopOptions& options) = 0;

    virtual EventSource& events() = 0;
    virtual Screens& screens() = 0;
    virtual HotKeyService& hotKeys() = 0;
    // What keeps the display awake that belongs to this kind of session (the display
    // server's own timers, a screen-saver daemon); the session bus's services are not here.
    virtual std::vector<KeepAwakeMechanism*> keepAwakeMechanisms() = 0;
    // One sentence per missing capability.
    virtual std::vector<std::string> shortcomings() const = 0;

    // For the doctor, after start(): the display server and the program serving it.
    virtual std::string sessionDescription() const = 0;
    // The services this backend serves, with the mechanism it picked for each.
    virtual std::vector<ServiceReport> describe() const = 0;
    // The idle counts this backend's connection can read.
    virtual std::vector<std::unique_ptr<IdleProbe>> idleProbes() = 0;
    // For --verbose: the routes the backend took, one line each.
    virtual std::vector<std::string> notes() const { return {}; }
};

} // namespace wigglet::desktop
