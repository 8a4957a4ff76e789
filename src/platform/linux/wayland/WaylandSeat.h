#pragma once

#include <cstdint>

struct wl_seat;

namespace wigglet::desktop {

class WaylandConnection;

// The compositor's first seat and the devices it says it has.
class WaylandSeat {
  public:
    explicit WaylandSeat(WaylandConnection& connection);
    ~WaylandSeat();
    WaylandSeat(const WaylandSeat&) = delete;
    WaylandSeat& operator=(const WaylandSeat&) = delete;

    wl_seat* seat() const { return seat_; }
    bool hasKeyboard() const;
    bool hasPointer() const;
    void setCapabilities(std::uint32_t capabilities) { capabilities_ = capabilities; }

  private:
    wl_seat* seat_ = nullptr;
    std::uint32_t capabilities_ = 0;
};

} // namespace wigglet::desktop
