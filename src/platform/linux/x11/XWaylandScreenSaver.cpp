#include "platform/linux/x11/XWaylandScreenSaver.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace wigglet::desktop {

namespace {

// Xlib's own handler ends the process; a lost XWayland is not Wigglet's end.
int keepGoing(Display*) {
    return 0;
}

} // namespace

std::unique_ptr<XWaylandScreenSaver> XWaylandScreenSaver::open() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<XWaylandScreenSaver>(new XWaylandScreenSaver(display));
}

XWaylandScreenSaver::XWaylandScreenSaver(Display* display) : display_(display) {
    XSetIOErrorHandler(keepGoing);
    XSetIOErrorExitHandler(display_, onLost, this);
}

XWaylandScreenSaver::~XWaylandScreenSaver() {
    // A broken connection is left as it is: closing it would only fail again.
    if (!lost_)
        XCloseDisplay(display_);
}

void XWaylandScreenSaver::onLost(Display*, void* self) {
    static_cast<XWaylandScreenSaver*>(self)->lost_ = true;
}

void XWaylandScreenSaver::suspend(bool on) {
    if (lost_)
        return;
    XScreenSaverSuspend(display_, on ? True : False);
    XFlush(display_);
}

void XWaylandScreenSaver::inhibit(const std::string&, const std::string&) {
    suspend(true);
}

void XWaylandScreenSaver::release() {
    suspend(false);
}

void XWaylandScreenSaver::declareActivity() {
    if (lost_)
        return;
    XResetScreenSaver(display_);
    XFlush(display_);
}

} // namespace wigglet::desktop
