#include "support/XTestWindow.h"

#include <QDeadlineTimer>
#include <X11/Xlib.h>
#include <poll.h>

namespace wigglet::testing {

std::unique_ptr<XTestWindow> XTestWindow::open(const std::string& displayName, int x, int y,
                                               int width, int height) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display)
        return nullptr;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | KeyPressMask | KeyReleaseMask |
                            PointerMotionMask | ExposureMask | StructureNotifyMask;
    const Window window =
        XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWEventMask, &attributes);
    XMapRaised(display, window);
    auto opened = std::unique_ptr<XTestWindow>(new XTestWindow(display, window));
    if (!opened->next(MapNotify))
        return nullptr;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return opened;
}

XTestWindow::~XTestWindow() {
    XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

XEvent XTestWindow::read() {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == MappingNotify)
        XRefreshKeyboardMapping(&event.xmapping);
    return event;
}

std::optional<XEvent> XTestWindow::next(int type, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        while (XPending(display_) > 0)
            if (const XEvent event = read(); event.type == type)
                return event;
        if (deadline.hasExpired())
            return std::nullopt;
        pollfd waiting{ConnectionNumber(display_), POLLIN, 0};
        ::poll(&waiting, 1, static_cast<int>(deadline.remainingTime()));
    }
}

std::vector<XEvent> XTestWindow::received() {
    XSync(display_, False);
    std::vector<XEvent> events;
    while (XPending(display_) > 0)
        events.push_back(read());
    return events;
}

std::string keyStrokes(const std::vector<XEvent>& events) {
    std::string strokes;
    for (XEvent event : events) {
        if (event.type != KeyPress && event.type != KeyRelease)
            continue;
        const char* name = XKeysymToString(XLookupKeysym(&event.xkey, 0));
        strokes += (strokes.empty() ? "" : " ") + std::string(event.type == KeyPress ? "+" : "-") +
                   (name ? name : "NoSymbol");
    }
    return strokes;
}

} // namespace wigglet::testing
