#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet {

// A key-down event as the program sees it, whatever toolkit delivered it: the US-ANSI virtual
// key code (VirtualKeys.h), the characters ignoring modifiers (absent when the key produces
// none) and the modifier flags (ModifierFlags.h).
struct KeyDown {
    std::uint16_t keyCode = 0;
    std::optional<std::string> characters;
    std::uint64_t modifierFlags = 0;
};

} // namespace wigglet
