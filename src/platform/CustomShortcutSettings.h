#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet {

// One keyboard shortcut kept in the desktop's own settings that runs Wigglet's toggle command,
// for desktops that let no program register a shortcut. The desktop's settings show it and
// may change it; Wigglet only adds and removes its own entry, and only when the user asks.
class CustomShortcutSettings {
  public:
    virtual ~CustomShortcutSettings() = default;
    // The key combination of Wigglet's entry in the desktop's notation, none when there is no
    // entry; an entry the user left without keys has an empty one.
    virtual std::optional<std::string> binding() = 0;
    // Adds the entry, or replaces its keys, with the key at that position and the modifiers
    // (carbonFlags); false for a key the desktop cannot name or settings that were not written.
    virtual bool add(std::uint32_t keyCode, std::uint32_t carbonFlags) = 0;
    virtual bool remove() = 0;
};

} // namespace wigglet
