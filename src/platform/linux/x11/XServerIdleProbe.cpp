#include "platform/linux/x11/XServerIdleProbe.h"

#include "platform/linux/x11/XConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace wigglet::desktop {

XServerIdleProbe::XServerIdleProbe(const std::string& displayName, std::string label)
    : x_(XConnection::open(displayName)), label_(std::move(label)) {
    int eventBase = 0;
    int errorBase = 0;
    extension_ = x_ && XScreenSaverQueryExtension(x_->display(), &eventBase, &errorBase);
}

XServerIdleProbe::~XServerIdleProbe() = default;

std::optional<double> XServerIdleProbe::idleSeconds(std::string& whyNot) {
    if (!x_) {
        whyNot = "the X display cannot be opened";
        return std::nullopt;
    }
    if (!extension_) {
        whyNot = "the X server does not offer the MIT-SCREEN-SAVER extension";
        return std::nullopt;
    }
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(x_->display(), DefaultRootWindow(x_->display()), &info)) {
        whyNot = "the X server did not answer";
        return std::nullopt;
    }
    return static_cast<double>(info.idle) / 1000.0;
}

} // namespace wigglet::desktop
