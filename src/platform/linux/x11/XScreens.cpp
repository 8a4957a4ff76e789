#include "platform/linux/x11/XScreens.h"

#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XPrimaryOutput.h"

#include <X11/Xlib.h>

namespace wigglet::desktop {

std::optional<Rect> XScreens::primaryFrame() {
    if (!connection_)
        return std::nullopt;
    const auto primary = XPrimaryOutput::geometry(connection_->display());
    if (!primary)
        return std::nullopt;
    return Rect{{0, 0}, {double(primary->width), double(primary->height)}};
}

Point XScreens::pointerLocation() {
    if (!connection_)
        return {};
    Display* display = connection_->display();
    const auto primary = XPrimaryOutput::geometry(display);
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    if (!primary || !XQueryPointer(display, connection_->rootWindow(), &root, &child, &rootX,
                                   &rootY, &windowX, &windowY, &buttons))
        return {};
    return {double(rootX - primary->x), double(primary->height - (rootY - primary->y))};
}

} // namespace wigglet::desktop
