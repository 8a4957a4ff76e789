#include "platform/linux/wayland/WaylandIdleWatch.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <algorithm>
#include <ext-idle-notify-v1-client-protocol.h>
#include <kde-idle-client-protocol.h>
#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

WaylandIdleWatch* watchOf(void* data) {
    return static_cast<WaylandIdleWatch*>(data);
}

const ext_idle_notification_v1_listener extListener = {
    .idled = [](void* data, ext_idle_notification_v1*) { watchOf(data)->idled(); },
    .resumed = [](void* data, ext_idle_notification_v1*) { watchOf(data)->resumed(); },
};

const org_kde_kwin_idle_timeout_listener kdeListener = {
    .idle = [](void* data, org_kde_kwin_idle_timeout*) { watchOf(data)->idled(); },
    .resumed = [](void* data, org_kde_kwin_idle_timeout*) { watchOf(data)->resumed(); },
};

} // namespace

WaylandIdleWatch::WaylandIdleWatch(WaylandConnection& connection, wl_seat* seat)
    : connection_(connection), userLastInput_(WaylandConnection::now()),
      busySince_(userLastInput_) {
    if (!seat)
        return;
    extNotifier_ =
        static_cast<ext_idle_notifier_v1*>(connection.bind(ext_idle_notifier_v1_interface, 1));
    if (extNotifier_) {
        extNotification_ = ext_idle_notifier_v1_get_idle_notification(extNotifier_, watchMs, seat);
        ext_idle_notification_v1_add_listener(extNotification_, &extListener, this);
        return;
    }
    kdeIdle_ = static_cast<org_kde_kwin_idle*>(connection.bind(org_kde_kwin_idle_interface, 1));
    if (kdeIdle_) {
        kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat, watchMs);
        org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &kdeListener, this);
    }
}

WaylandIdleWatch::~WaylandIdleWatch() {
    if (extNotification_)
        ext_idle_notification_v1_destroy(extNotification_);
    if (extNotifier_)
        ext_idle_notifier_v1_destroy(extNotifier_);
    if (kdeTimeout_)
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    if (kdeIdle_)
        org_kde_kwin_idle_destroy(kdeIdle_);
}

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
