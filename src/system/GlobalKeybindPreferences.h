#pragma once

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wigglet {

// The global shortcut record, stored as compact JSON under shakeHotkey. The six booleans serve
// display and the menu's key equivalent; registration uses only keyCode and carbonFlags.
// Registering the combination is HotKey's business.
struct GlobalKeybindPreferences {
    bool function = false;
    bool control = false;
    bool command = true;
    bool shift = false;
    bool option = true;
    bool capsLock = false;
    std::uint32_t carbonFlags = carbonModifier::cmdKey | carbonModifier::optionKey;
    std::optional<std::string> characters = "s";
    std::uint32_t keyCode = virtualKey::ansiS;

    bool operator==(const GlobalKeybindPreferences&) const = default;

    // The stored record, decoded afresh on every call; the default (Option-Command-S) when
    // absent or undecodable.
    static GlobalKeybindPreferences storedShortcut();
    // Stores the record and flushes the store; a record that cannot be encoded is not stored.
    static void setStoredShortcut(const GlobalKeybindPreferences& record);

    // The stored form; none when the characters are not valid UTF-8.
    std::optional<std::string> encode() const;
    // None unless the bytes are a JSON object holding the eight required keys with their types.
    static std::optional<GlobalKeybindPreferences> decode(std::string_view bytes);

    // A record from a key-down event, or none when the event reports no characters or holds
    // none of control, option, shift and command.
    static std::optional<GlobalKeybindPreferences>
    fromKeyEvent(std::uint32_t keyCode,
                 const std::optional<std::string>& charactersIgnoringModifiers,
                 std::uint64_t modifierFlags);

    // Display text, e.g. ⌥⌘S: Fn ⌃ ⌥ ⌘ ⇧ ⇪, then the upper-cased characters.
    std::string description() const;
    // The key-event modifier flags of the six booleans.
    std::uint64_t modifierFlags() const;

    static std::uint32_t carbonModifierMask(std::uint64_t modifierFlags);
    // ⌃ ⌥ ⇧ ⌘ in that order; empty when none of the four is held.
    static std::string modifierSymbols(std::uint64_t modifierFlags);
};

} // namespace wigglet
