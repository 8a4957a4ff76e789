#include "platform/linux/wayland/WaylandIdleTimeout.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <ext-idle-notify-v1-client-protocol.h>
#include <kde-idle-client-protocol.h>
#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

WaylandIdleTimeout* timeoutOf(void* data) {
    return static_cast<WaylandIdleTimeout*>(data);
}

const ext_idle_notification_v1_listener extListener = {
    .idled = [](void* data, ext_idle_notification_v1*) { timeoutOf(data)->idled(); },
    .resumed = [](void* data, ext_idle_notification_v1*) { timeoutOf(data)->resumed(); },
};

const org_kde_kwin_idle_timeout_listener kdeListener = {
    .idle = [](void* data, org_kde_kwin_idle_timeout*) { timeoutOf(data)->idled(); },
    .resumed = [](void* data, org_kde_kwin_idle_timeout*) { timeoutOf(data)->resumed(); },
};

} // namespace

WaylandIdleTimeout::WaylandIdleTimeout(WaylandConnection& connection, wl_seat* seat, int timeoutMs,
                                       std::function<void()> idledThen,
                                       std::function<void()> resumedThen)
    : idled(std::move(idledThen)), resumed(std::move(resumedThen)) {
    if (!seat)
        return;
    extNotifier_ =
        static_cast<ext_idle_notifier_v1*>(connection.bind(ext_idle_notifier_v1_interface, 1));
    if (extNotifier_) {
        extNotification_ =
            ext_idle_notifier_v1_get_idle_notification(extNotifier_, timeoutMs, seat);
        ext_idle_notification_v1_add_listener(extNotification_, &extListener, this);
        return;
    }
    kdeIdle_ = static_cast<org_kde_kwin_idle*>(connection.bind(org_kde_kwin_idle_interface, 1));
    if (kdeIdle_) {
        kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat, timeoutMs);
        org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &kdeListener, this);
    }
}

WaylandIdleTimeout::~WaylandIdleTimeout() {
    if (extNotification_)
        ext_idle_notification_v1_destroy(extNotification_);
    if (extNotifier_)
        ext_idle_notifier_v1_destroy(extNotifier_);
    if (kdeTimeout_)
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    if (kdeIdle_)
        org_kde_kwin_idle_destroy(kdeIdle_);
}

} // namespace wigglet::desktop
