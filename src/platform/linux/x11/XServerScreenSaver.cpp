#include "platform/linux/x11/XServerScreenSaver.h"

#include "platform/linux/x11/XConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace wigglet::desktop {

std::unique_ptr<XServerScreenSaver> XServerScreenSaver::open(XConnection& connection) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(connection.display(), &eventBase, &errorBase))
        return nullptr;
    return std::unique_ptr<XServerScreenSaver>(new XServerScreenSaver(connection));
}

XServerScreenSaver::~XServerScreenSaver() {
    // The server counts suspensions per client; one left on would outlive a kept connection.
    release();
}

void XServerScreenSaver::inhibit(const std::string&, const std::string&) {
    suspend(true);
}

void XServerScreenSaver::release() {
    suspend(false);
}

void XServerScreenSaver::suspend(bool on) {
    if (suspended_ == on)
        return;
    suspended_ = on;
    XScreenSaverSuspend(connection_.display(), on ? True : False);
    XFlush(connection_.display());
}

void XServerScreenSaver::declareActivity() {
    XResetScreenSaver(connection_.display());
    connection_.noteSyntheticInput();
}

} // namespace wigglet::desktop
