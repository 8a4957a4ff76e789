#include "platform/linux/wayland/WaylandSeat.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

const wl_seat_listener seatListener = {
    .capabilities =
        [](void* data, wl_seat*, std::uint32_t capabilities) {
            static_cast<WaylandSeat*>(data)->setCapabilities(capabilities);
        },
    .name = [](void*, wl_seat*, const char*) {},
};

} // namespace

WaylandSeat::WaylandSeat(WaylandConnection& connection) {
    seat_ = static_cast<wl_seat*>(connection.bind(wl_seat_interface, 5));
    if (!seat_)
        return;
    wl_seat_add_listener(seat_, &seatListener, this);
    connection.roundtrip();
}

WaylandSeat::~WaylandSeat() {
    if (seat_)
        wl_seat_destroy(seat_);
}

bool WaylandSeat::hasKeyboard() const {
    return capabilities_ & WL_SEAT_CAPABILITY_KEYBOARD;
}

bool WaylandSeat::hasPointer() const {
    return capabilities_ & WL_SEAT_CAPABILITY_POINTER;
}

} // namespace wigglet::desktop
