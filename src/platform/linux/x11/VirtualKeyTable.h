#pragma once

#include <cstdint>
#include <optional>

namespace wigglet::desktop {

// The one translation between the virtual key codes that Wigglet stores and posts (the key
// positions of a US-ANSI keyboard) and X keysyms, in both directions: posting and grabbing go
// from a virtual key to a keysym, recording a shortcut goes back. Which keycode produces a
// keysym on the running server is XKeymap's business.
class VirtualKeyTable {
  public:
    // The keysym that the key at that position produces without modifiers on a US layout.
    static std::optional<std::uint32_t> keysymFor(std::uint16_t virtualKey);
    // The position of the key that produces the keysym on a US layout, shifted or not.
    static std::optional<std::uint16_t> virtualKeyFor(std::uint32_t keysym);
};

} // namespace wigglet::desktop
