#pragma once

#include "foundation/Localizer.h"
#include "system/GlobalKeybindPreferences.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet {

// How a shortcut reads on screen: the way the desktop's own keyboard settings write it
// (Ctrl+Alt+Shift+Super+S, in German Strg+Alt+Umschalt+Super+S), or in the symbols of the
// simulated platform (⌥⌘S).
class ShortcutText {
  public:
    // The text for the platform the program runs on, in the user's language.
    static std::string of(const GlobalKeybindPreferences& shortcut);
    // "Alt+Super+S": Fn, Ctrl, Alt, Shift, Super, then the key's name, in the table's words.
    static std::string words(const GlobalKeybindPreferences& shortcut, const Localizer& texts);
    // The key's name from its position ("S", "5", "F1", "Space"), else its characters.
    static std::string keyName(std::uint32_t keyCode, const std::optional<std::string>& characters,
                               const Localizer& texts);
};

} // namespace wigglet
