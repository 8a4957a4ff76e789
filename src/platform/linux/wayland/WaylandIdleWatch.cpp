#include "platform/linux/wayland/WaylandIdleWatch.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <algorithm>

namespace wigglet::desktop {

WaylandIdleWatch::WaylandIdleWatch(WaylandConnection& connection, wl_seat* seat)
    : connection_(connection), userLastInput_(WaylandConnection::now()), busySince_(userLastInput_),
      timeout_(
          connection, seat, watchMs, [this] { idled(); }, [this] { resumed(); }) {}

double WaylandIdleWatch::secondsSinceLastInput() const {
    if (!available())
        return 0;
    const double now = WaylandConnection::now();
    const double watch = watchMs / 1000.0;
    const double quietSince = std::max(busySince_, connection_.lastSyntheticInput().value_or(0));
    if (busy_ && now - quietSince > watch + deliveryMargin)
        userLastInput_ = std::max(userLastInput_, now - watch);
    return now - userLastInput_;
}

bool WaylandIdleWatch::isOurs(double inputTime) const {
    const auto ours = connection_.lastSyntheticInput();
    return ours && inputTime <= *ours + ownInputWindow && inputTime >= *ours - ownInputWindow;
}

void WaylandIdleWatch::idled() {
    busy_ = false;
    // The last input, whoever made it, was a watch's length ago.
    const double lastInput = WaylandConnection::now() - watchMs / 1000.0;
    if (!isOurs(lastInput))
        userLastInput_ = std::max(userLastInput_, lastInput);
}

void WaylandIdleWatch::resumed() {
    const double time = WaylandConnection::now();
    busy_ = true;
    busySince_ = time;
    if (!isOurs(time))
        userLastInput_ = time;
}

} // namespace wigglet::desktop
