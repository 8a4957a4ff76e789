#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet::desktop {

// The X keysym names of the keys a shortcut may use, by their position on a US keyboard, for
// desktops that take a shortcut as text (GNOME's settings, the GlobalShortcuts portal).
class KeysymNames {
  public:
    // "s", "F5", "Page_Up"; none for a key without a name here.
    static std::optional<std::string> nameOf(std::uint32_t virtualKey);
};

} // namespace wigglet::desktop
