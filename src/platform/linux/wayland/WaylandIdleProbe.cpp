#include "platform/linux/wayland/WaylandIdleProbe.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <ext-idle-notify-v1-client-protocol.h>
#include <kde-idle-client-protocol.h>
#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

constexpr int probeWatchMs = 1000;

WaylandIdleProbe* probeOf(void* data) {
    return static_cast<WaylandIdleProbe*>(data);
}

const ext_idle_notification_v1_listener probeExtListener = {
    .idled = [](void* data, ext_idle_notification_v1*) { probeOf(data)->idled(); },
    .resumed = [](void* data, ext_idle_notification_v1*) { probeOf(data)->resumed(); },
};

const org_kde_kwin_idle_timeout_listener probeKdeListener = {
    .idle = [](void* data, org_kde_kwin_idle_timeout*) { probeOf(data)->idled(); },
    .resumed = [](void* data, org_kde_kwin_idle_timeout*) { probeOf(data)->resumed(); },
};

} // namespace

WaylandIdleProbe::WaylandIdleProbe(WaylandConnection* connection, wl_seat* seat)
    : connection_(connection) {
    if (!connection_ || !seat)
        return;
    extNotifier_ =
        static_cast<ext_idle_notifier_v1*>(connection_->bind(ext_idle_notifier_v1_interface, 1));
    if (extNotifier_) {
        extNotification_ =
            ext_idle_notifier_v1_get_idle_notification(extNotifier_, probeWatchMs, seat);
        ext_idle_notification_v1_add_listener(extNotification_, &probeExtListener, this);
    } else if ((kdeIdle_ = static_cast<org_kde_kwin_idle*>(
                    connection_->bind(org_kde_kwin_idle_interface, 1)))) {
        kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat, probeWatchMs);
        org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &probeKdeListener, this);
    }
    connection_->flush();
}

WaylandIdleProbe::~WaylandIdleProbe() {
    if (extNotification_)
        ext_idle_notification_v1_destroy(extNotification_);
    if (extNotifier_)
        ext_idle_notifier_v1_destroy(extNotifier_);
    if (kdeTimeout_)
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    if (kdeIdle_)
        org_kde_kwin_idle_destroy(kdeIdle_);
}

std::string WaylandIdleProbe::name() const {
    return kdeTimeout_ ? "KDE idle protocol" : "ext-idle-notify";
}

void WaylandIdleProbe::idled() {
    idleSince_ = WaylandConnection::now() - probeWatchMs / 1000.0;
}

std::optional<double> WaylandIdleProbe::idleSeconds(std::string& whyNot) {
    if (!extNotification_ && !kdeTimeout_) {
        whyNot = connection_ ? "the compositor offers no idle protocol"
                             : "the compositor cannot be reached";
        return std::nullopt;
    }
    connection_->dispatchPending();
    return idleSince_ > 0 ? WaylandConnection::now() - idleSince_ : 0.0;
}

} // namespace wigglet::desktop
