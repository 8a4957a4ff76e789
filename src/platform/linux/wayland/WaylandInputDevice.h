#pragma once

#include "platform/Geometry.h"

#include <cstdint>

namespace wigglet::desktop {

// A way of sending input into the compositor, as one of its protocols offers it.
class WaylandInputDevice {
  public:
    virtual ~WaylandInputDevice() = default;

    virtual bool hasKeyboard() const = 0;
    // A point in the compositor's coordinates; layout is the box around every output.
    virtual void moveTo(Point compositor, const Rect& layout) = 0;
    virtual void button(std::uint32_t evdev, bool down) = 0;
    // Wheel clicks on the vertical axis, positive downwards, each worth pixelsPerClick.
    virtual void wheel(int clicks, int pixelsPerClick) = 0;
    virtual void key(std::uint32_t evdev, bool down) = 0;
    // The modifiers held from now on, as WaylandVirtualKeyboard::Modifier bits.
    virtual void holdModifiers(std::uint32_t modifiers) = 0;
    // Ends a group of pointer events.
    virtual void frame() = 0;
};

} // namespace wigglet::desktop
