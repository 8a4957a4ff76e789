#pragma once

#include <cstdint>
#include <optional>

namespace wigglet::desktop {

// The US-ANSI virtual key codes that Wigglet stores and posts, as the Linux evdev key codes
// of the same key positions, which virtual keyboards send.
class EvdevKeyTable {
  public:
    static std::optional<std::uint32_t> evdevFor(std::uint16_t virtualKey);
};

} // namespace wigglet::desktop
