#pragma once

#include <cstdint>
#include <initializer_list>

namespace wigglet {

// Synthesises key strokes whose modifiers travel only as flags on the key-down and key-up
// events; no modifier key events are sent. Knows the two tab shortcuts and nothing else.
class KeyboardControl {
  public:
    enum class ModifierFlag { command, shift, option, control };

    static KeyboardControl& shared();

    void nextTab();
    void previousTab();

    static constexpr std::uint16_t RIGHT_BRACKET_KEY = 30;
    static constexpr std::uint16_t LEFT_BRACKET_KEY = 33;
    static constexpr std::uint32_t KEY_PAUSE_US = 10000;

    static constexpr std::uint64_t eventFlag(ModifierFlag flag) {
        switch (flag) {
        case ModifierFlag::command:
            return 0x100000;
        case ModifierFlag::shift:
            return 0x20000;
        case ModifierFlag::option:
            return 0x80000;
        case ModifierFlag::control:
            return 0x40000;
        }
        return 0;
    }

  private:
    void sendKeyCombination(std::uint16_t keyCode, std::initializer_list<ModifierFlag> modifiers);
};

} // namespace wigglet
