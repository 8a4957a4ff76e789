#include "system/ShortcutText.h"

#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "platform/VirtualKeys.h"

#include <array>
#include <utility>

namespace wigglet {

namespace {

using Name = std::pair<std::uint16_t, const char*>;

// Key positions whose printed name the desktop translates, by localisation key.
constexpr std::array spoken = {
    Name{virtualKey::space, "key-space"},
    Name{virtualKey::tab, "key-tab"},
    Name{virtualKey::escape, "key-escape"},
    Name{virtualKey::returnKey, "key-return"},
    Name{virtualKey::deleteKey, "key-backspace"},
    Name{virtualKey::forwardDelete, "key-delete"},
    Name{virtualKey::help, "key-insert"},
    Name{virtualKey::home, "key-home"},
    Name{virtualKey::end, "key-end"},
    Name{virtualKey::pageUp, "key-page-up"},
    Name{virtualKey::pageDown, "key-page-down"},
    Name{virtualKey::leftArrow, "key-left"},
    Name{virtualKey::rightArrow, "key-right"},
    Name{virtualKey::upArrow, "key-up"},
    Name{virtualKey::downArrow, "key-down"},
};

// Key positions whose printed name is not their character, alike in every language.
constexpr std::array named = {
    Name{virtualKey::keypadEnter, "KP_Enter"},
    Name{virtualKey::f1, "F1"},
    Name{virtualKey::f2, "F2"},
    Name{virtualKey::f3, "F3"},
    Name{virtualKey::f4, "F4"},
    Name{virtualKey::f5, "F5"},
    Name{virtualKey::f6, "F6"},
    Name{virtualKey::f7, "F7"},
    Name{virtualKey::f8, "F8"},
    Name{virtualKey::f9, "F9"},
    Name{virtualKey::f10, "F10"},
    Name{virtualKey::f11, "F11"},
    Name{virtualKey::f12, "F12"},
    Name{virtualKey::f13, "F13"},
    Name{virtualKey::f14, "F14"},
    Name{virtualKey::f15, "F15"},
    Name{virtualKey::f16, "F16"},
    Name{virtualKey::f17, "F17"},
    Name{virtualKey::f18, "F18"},
    Name{virtualKey::f19, "F19"},
    Name{virtualKey::f20, "F20"},
};

// Letters and digits by position, so that a layout's characters do not rename them.
constexpr std::array printable = {
    Name{virtualKey::ansiA, "A"}, Name{virtualKey::ansiB, "B"}, Name{virtualKey::ansiC, "C"},
    Name{virtualKey::ansiD, "D"}, Name{virtualKey::ansiE, "E"}, Name{virtualKey::ansiF, "F"},
    Name{virtualKey::ansiG, "G"}, Name{virtualKey::ansiH, "H"}, Name{virtualKey::ansiI, "I"},
    Name{virtualKey::ansiJ, "J"}, Name{virtualKey::ansiK, "K"}, Name{virtualKey::ansiL, "L"},
    Name{virtualKey::ansiM, "M"}, Name{virtualKey::ansiN, "N"}, Name{virtualKey::ansiO, "O"},
    Name{virtualKey::ansiP, "P"}, Name{virtualKey::ansiQ, "Q"}, Name{virtualKey::ansiR, "R"},
    Name{virtualKey::ansiS, "S"}, Name{virtualKey::ansiT, "T"}, Name{virtualKey::ansiU, "U"},
    Name{virtualKey::ansiV, "V"}, Name{virtualKey::ansiW, "W"}, Name{virtualKey::ansiX, "X"},
    Name{virtualKey::ansiY, "Y"}, Name{virtualKey::ansiZ, "Z"}, Name{virtualKey::ansi0, "0"},
    Name{virtualKey::ansi1, "1"}, Name{virtualKey::ansi2, "2"}, Name{virtualKey::ansi3, "3"},
    Name{virtualKey::ansi4, "4"}, Name{virtualKey::ansi5, "5"}, Name{virtualKey::ansi6, "6"},
    Name{virtualKey::ansi7, "7"}, Name{virtualKey::ansi8, "8"}, Name{virtualKey::ansi9, "9"},
};

template <std::size_t N> const char* find(const std::array<Name, N>& names, std::uint32_t keyCode) {
    for (const auto& [code, name] : names)
        if (code == keyCode)
            return name;
    return nullptr;
}

} // namespace

std::string ShortcutText::of(const GlobalKeybindPreferences& shortcut) {
    if (Platform::current().system().shortcutStyle() == ShortcutStyle::Symbols)
        return shortcut.description();
    return words(shortcut, Localizer::shared());
}

std::string ShortcutText::words(const GlobalKeybindPreferences& shortcut, const Localizer& texts) {
    std::string text;
    const std::pair<bool, const char*> parts[] = {{shortcut.function, "key-fn"},
                                                  {shortcut.control, "key-ctrl"},
                                                  {shortcut.option, "key-alt"},
                                                  {shortcut.shift, "key-shift"},
                                                  {shortcut.command, "key-super"}};
    for (const auto& [held, key] : parts)
        if (held)
            text += texts.string(key) + "+";
    return text + keyName(shortcut.keyCode, shortcut.characters, texts);
}

std::string ShortcutText::keyName(std::uint32_t keyCode,
                                  const std::optional<std::string>& characters,
                                  const Localizer& texts) {
    if (const char* key = find(spoken, keyCode))
        return texts.string(key);
    if (const char* name = find(named, keyCode))
        return name;
    if (const char* name = find(printable, keyCode))
        return name;
    GlobalKeybindPreferences bare;
    bare.function = bare.control = bare.option = bare.shift = bare.command = bare.capsLock = false;
    bare.characters = characters;
    return bare.description();
}

} // namespace wigglet
