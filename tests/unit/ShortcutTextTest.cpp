#include "system/ShortcutText.h"

#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace wigglet::test {

namespace {

TEST(ShortcutWords, ReadAsTheDesktopWritesThem) {
    const struct {
        const char* behaviour;
        bool function, control, option, shift, command;
        std::uint32_t keyCode;
        std::optional<std::string> characters;
        const char* text;
        const char* language = "en";
    } rows[] = {
        {"the default reads Alt Super S", false, false, true, false, true, virtualKey::ansiS, "s",
         "Alt+Super+S"},
        {"modifiers go Ctrl Alt Shift Super", false, true, true, true, true, virtualKey::ansiK, "k",
         "Ctrl+Alt+Shift+Super+K"},
        {"fn comes first as Fn", true, true, false, false, false, virtualKey::f1, "", "Fn+Ctrl+F1"},
        {"a key is named by its position not its layout's character", false, true, false, false,
         false, virtualKey::ansiQ, "a", "Ctrl+Q"},
        {"digits keep their digit", false, false, false, true, false, virtualKey::ansi5, "%",
         "Shift+5"},
        {"named keys such as space are spelt out", false, false, true, false, false,
         virtualKey::space, " ", "Alt+Space"},
        {"other keys show their characters upper cased", false, true, false, false, false,
         virtualKey::ansiComma, ",", "Ctrl+,"},
        {"a German desktop writes Strg and Umschalt", false, true, true, true, true,
         virtualKey::ansiK, "k", "Strg+Alt+Umschalt+Super+K", "de"},
        {"a French desktop names the keys in French", false, false, false, true, false,
         virtualKey::space, " ", "Maj+Espace", "fr"},
    };
    for (const auto& row : rows) {
        GlobalKeybindPreferences record;
        record.function = row.function;
        record.control = row.control;
        record.option = row.option;
        record.shift = row.shift;
        record.command = row.command;
        record.keyCode = row.keyCode;
        record.characters = row.characters;
        EXPECT_EQ(ShortcutText::words(record, Localizer::forLanguages({row.language})), row.text)
            << row.behaviour;
    }
}

} // namespace

} // namespace wigglet::test
