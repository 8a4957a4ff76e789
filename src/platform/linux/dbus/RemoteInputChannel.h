#pragma once

#include <cstdint>

namespace wigglet::desktop {

// A desktop service that takes input from a program as a remote-desktop client would send it:
// relative pointer motion, evdev buttons and keys, wheel steps. Each call says whether the
// event went out; one that did not is dropped, never queued.
class RemoteInputChannel {
  public:
    virtual ~RemoteInputChannel() = default;

    virtual bool pointerMotion(double dx, double dy) = 0;
    virtual bool pointerButton(std::uint32_t evdev, bool down) = 0;
    // Steps on the vertical axis, positive downwards.
    virtual bool pointerAxisDiscrete(int steps) = 0;
    virtual bool keyboardKeycode(std::uint32_t evdev, bool down) = 0;
};

} // namespace wigglet::desktop
