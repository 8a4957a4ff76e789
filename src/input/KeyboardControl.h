#pragma once

#include <cstdint>

namespace wigglet {

// Synthesises key strokes whose modifiers travel only as flags on the key-down and key-up
// events; no modifier key events are sent. Knows the two tab shortcuts and nothing else.
class KeyboardControl {
  public:
    static KeyboardControl& shared();

    void nextTab();
    void previousTab();

    static constexpr std::uint32_t KEY_PAUSE_US = 10000;

  private:
    void sendKeyCombination(std::uint16_t keyCode, std::uint64_t flags);
};

} // namespace wigglet
