#pragma once

#include <cstdint>
#include <string>

struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

namespace wigglet::desktop {

class WaylandConnection;
class WaylandSeat;

// A virtual keyboard on the seat. It carries the user's own keymap (the seat's, or the one
// xkbcommon builds from the XKB_DEFAULT_* settings), so that the compositor switches no
// layout, and it states the modifiers itself, since the compositor takes them from us.
class WaylandVirtualKeyboard {
  public:
    enum Modifier : std::uint32_t { Shift = 1, Control = 2, Alt = 4, Super = 8 };

    WaylandVirtualKeyboard(WaylandConnection& connection, WaylandSeat& seat);
    ~WaylandVirtualKeyboard();
    WaylandVirtualKeyboard(const WaylandVirtualKeyboard&) = delete;
    WaylandVirtualKeyboard& operator=(const WaylandVirtualKeyboard&) = delete;

    bool ready() const { return keyboard_ != nullptr; }
    void key(std::uint32_t evdev, bool down);
    // The modifiers held from now on, as Modifier bits.
    void holdModifiers(std::uint32_t modifiers);

    void takeKeymap(std::uint32_t format, int fd, std::uint32_t size);

  private:
    std::string seatKeymap(WaylandConnection& connection, WaylandSeat& seat);
    bool upload(const std::string& keymap);

    zwp_virtual_keyboard_manager_v1* manager_ = nullptr;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    std::string receivedKeymap_;
    bool keymapArrived_ = false;
    std::uint32_t masks_[4] = {};
};

} // namespace wigglet::desktop
