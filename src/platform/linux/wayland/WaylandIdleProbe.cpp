#include "platform/linux/wayland/WaylandIdleProbe.h"

#include "platform/linux/wayland/WaylandConnection.h"

namespace wigglet::desktop {

namespace {

constexpr int probeWatchMs = 1000;

} // namespace

WaylandIdleProbe::WaylandIdleProbe(WaylandConnection* connection, wl_seat* seat)
    : connection_(connection) {
    if (!connection_ || !seat)
        return;
    timeout_ = std::make_unique<WaylandIdleTimeout>(
        *connection_, seat, probeWatchMs,
        [this] { idleSince_ = WaylandConnection::now() - probeWatchMs / 1000.0; },
        [this] { idleSince_ = 0; });
    connection_->flush();
}

std::string WaylandIdleProbe::name() const {
    return timeout_ && timeout_->usesKdeProtocol() ? "KDE idle protocol" : "ext-idle-notify";
}

std::optional<double> WaylandIdleProbe::idleSeconds(std::string& whyNot) {
    if (!timeout_ || !timeout_->available()) {
        whyNot = connection_ ? "the compositor offers no idle protocol"
                             : "the compositor cannot be reached";
        return std::nullopt;
    }
    connection_->dispatchPending();
    return idleSince_ > 0 ? WaylandConnection::now() - idleSince_ : 0.0;
}

} // namespace wigglet::desktop
