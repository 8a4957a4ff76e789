#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wigglet {

// The global shortcut record, stored as JSON under shakeHotkey.
struct GlobalKeybindPreferences {
    bool function = false;
    bool control = false;
    bool command = true;
    bool shift = false;
    bool option = true;
    bool capsLock = false;
    std::uint32_t carbonFlags = 0x900;
    std::optional<std::string> characters = "s";
    std::uint32_t keyCode = 1;

    // The stored record, or the default (Option-Command-S) when absent or undecodable.
    static GlobalKeybindPreferences storedShortcut();
    static void setStoredShortcut(const GlobalKeybindPreferences& record);

    std::string description() const;
    std::uint64_t modifierFlags() const;
};

} // namespace wigglet
