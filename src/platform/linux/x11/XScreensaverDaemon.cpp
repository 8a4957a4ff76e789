#include "platform/linux/x11/XScreensaverDaemon.h"

#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XErrorTrap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace wigglet::desktop {

XScreensaverDaemon::XScreensaverDaemon(XConnection& connection) : connection_(connection) {
    Display* display = connection_.display();
    versionAtom_ = XInternAtom(display, "_SCREENSAVER_VERSION", False);
    messageAtom_ = XInternAtom(display, "SCREENSAVER", False);
    deactivateAtom_ = XInternAtom(display, "DEACTIVATE", False);
}

std::string XScreensaverDaemon::description() const {
    return isAvailable() ? "xscreensaver" : "xscreensaver (when it runs)";
}

bool XScreensaverDaemon::isAvailable() const {
    return daemonWindow().has_value();
}

void XScreensaverDaemon::inhibit(const std::string&, const std::string&) {
    // Restarts its countdown now; the declared activity of each step keeps it from ending.
    declareActivity();
}

std::optional<unsigned long> XScreensaverDaemon::daemonWindow() const {
    Display* display = connection_.display();
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XErrorTrap trap(display);
    if (!XQueryTree(display, connection_.rootWindow(), &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<unsigned long> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        // A child may go away while it is looked at; the trap takes the error.
        if (XGetWindowProperty(display, children[i], versionAtom_, 0, 0, False, XA_STRING, &type,
                               &format, &items, &after, &data) == Success &&
            type == XA_STRING)
            found = children[i];
        if (data)
            XFree(data);
    }
    if (children)
        XFree(children);
    return found;
}

void XScreensaverDaemon::declareActivity() {
    // The window found last time is tried first: the lookup reads every top-level window.
    if (window_ && send(*window_))
        return;
    window_ = daemonWindow();
    if (window_ && !send(*window_))
        window_.reset();
}

bool XScreensaverDaemon::send(unsigned long window) {
    Display* display = connection_.display();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = window;
    event.xclient.message_type = messageAtom_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deactivateAtom_);
    XErrorTrap trap(display);
    XSendEvent(display, window, False, 0L, &event);
    return !trap.firstError();
}

} // namespace wigglet::desktop
