#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet {

// A key-down event as the program sees it, whatever toolkit delivered it: the US-ANSI virtual
// key code, the characters ignoring modifiers (absent when the key produces none) and the
// modifier flags (caps lock 0x10000, shift 0x20000, control 0x40000, option 0x80000,
// command 0x100000, function 0x800000).
struct KeyDown {
    std::uint16_t keyCode = 0;
    std::optional<std::string> characters;
    std::uint64_t modifierFlags = 0;
};

} // namespace wigglet
