#pragma once

#include "platform/linux/wayland/WaylandInputDevice.h"

#include <memory>

struct zwlr_virtual_pointer_manager_v1;
struct zwlr_virtual_pointer_v1;

namespace wigglet::desktop {

class WaylandConnection;
class WaylandSeat;
class WaylandVirtualKeyboard;

// wlroots' virtual pointer, placed in absolute coordinates over the layout's extent, and the
// virtual keyboard.
class WlrootsVirtualInput : public WaylandInputDevice {
  public:
    // Absent when the compositor offers no virtual pointer.
    static std::unique_ptr<WlrootsVirtualInput> create(WaylandConnection& connection,
                                                       WaylandSeat& seat);
    ~WlrootsVirtualInput() override;
    WlrootsVirtualInput(const WlrootsVirtualInput&) = delete;
    WlrootsVirtualInput& operator=(const WlrootsVirtualInput&) = delete;

    bool hasKeyboard() const override;
    void moveTo(Point compositor, const Rect& layout) override;
    void button(std::uint32_t evdev, bool down) override;
    void wheel(int clicks, int pixelsPerClick) override;
    void key(std::uint32_t evdev, bool down) override;
    void holdModifiers(std::uint32_t modifiers) override;
    void frame() override;

  private:
    WlrootsVirtualInput(zwlr_virtual_pointer_manager_v1* manager, zwlr_virtual_pointer_v1* pointer,
                        std::unique_ptr<WaylandVirtualKeyboard> keyboard);

    zwlr_virtual_pointer_manager_v1* manager_;
    zwlr_virtual_pointer_v1* pointer_;
    std::unique_ptr<WaylandVirtualKeyboard> keyboard_;
};

} // namespace wigglet::desktop
