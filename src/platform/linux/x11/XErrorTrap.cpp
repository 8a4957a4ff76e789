#include "platform/linux/x11/XErrorTrap.h"

#include <X11/Xlib.h>
#include <cstdio>

namespace wigglet::desktop {

namespace {

XErrorTrap* innermost = nullptr;
// The handler that was in place when the outermost trap began, put back when it ends.
XErrorHandler outsideHandler = nullptr;

int handleError(Display* display, XErrorEvent* event) {
    if (XErrorTrap::record(display, event->error_code))
        return 0;
    char text[128] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "wigglet: X error %s (request %d.%d)\n", text, event->request_code,
                 event->minor_code);
    return 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display), enclosing_(innermost) {
    // Errors of earlier requests belong to whoever made them, not to this trap.
    XSync(display_, False);
    if (!enclosing_)
        outsideHandler = XSetErrorHandler(handleError);
    innermost = this;
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    innermost = enclosing_;
    if (!enclosing_)
        XSetErrorHandler(outsideHandler);
}

std::optional<int> XErrorTrap::firstError() {
    XSync(display_, False);
    return error_;
}

void XErrorTrap::installHandler() {
    XSetErrorHandler(handleError);
}

bool XErrorTrap::record(Display* display, int errorCode) {
    for (XErrorTrap* trap = innermost; trap; trap = trap->enclosing_) {
        if (trap->display_ != display)
            continue;
        if (!trap->error_)
            trap->error_ = errorCode;
        return true;
    }
    return false;
}

} // namespace wigglet::desktop
