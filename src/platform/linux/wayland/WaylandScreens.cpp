#include "platform/linux/wayland/WaylandScreens.h"

#include "platform/linux/wayland/LayerShellPointerProbe.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace wigglet::desktop {

namespace {

Rect rectOf(const QRect& rect) {
    return {{double(rect.x()), double(rect.y())}, {double(rect.width()), double(rect.height())}};
}

} // namespace

WaylandScreens::WaylandScreens(LayerShellPointerProbe* probe) : probe_(probe) {}

std::optional<Rect> WaylandScreens::primaryBox() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return rectOf(screen->geometry());
}

std::optional<Rect> WaylandScreens::layoutBox() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return rectOf(screen->virtualGeometry());
}

std::optional<Rect> WaylandScreens::primaryFrame() {
    const auto primary = primaryBox();
    if (!primary)
        return std::nullopt;
    return Rect{{0, 0}, primary->size};
}

std::optional<Point> WaylandScreens::compositorPointer() {
    const auto primary = primaryBox();
    if (!primary)
        return std::nullopt;
    const Point location = pointerLocation();
    return Point{location.x + primary->origin.x,
                 primary->origin.y + primary->size.height - location.y};
}

Point WaylandScreens::pointerLocation() {
    const auto primary = primaryBox();
    if (!primary)
        return {};
    if (probe_) {
        if (const auto found = probe_->pointer()) {
            // The one place where compositor coordinates become the core's.
            return {found->x - primary->origin.x,
                    primary->size.height - (found->y - primary->origin.y)};
        }
    }
    if (lastWarp_)
        return {lastWarp_->x, primary->size.height - lastWarp_->y};
    // Nobody can tell: the middle leaves the most room on every side.
    return {primary->size.width / 2, primary->size.height / 2};
}

} // namespace wigglet::desktop
