#include "system/ShortcutText.h"

#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace wigglet::test {

namespace {

// The record of the modifiers named (fn ctrl alt shift super) on the key.
GlobalKeybindPreferences held(const std::string& modifiers, std::uint32_t keyCode,
                              std::optional<std::string> characters) {
    const auto has = [&](const char* name) { return modifiers.find(name) != std::string::npos; };
    return {.function = has("fn"),
            .control = has("ctrl"),
            .command = has("super"),
            .shift = has("shift"),
            .option = has("alt"),
            .characters = std::move(characters),
            .keyCode = keyCode};
}

TEST(ShortcutWords, ReadAsTheDesktopWritesThem) {
    using namespace virtualKey;
    const struct {
        const char* behaviour;
        GlobalKeybindPreferences record;
        const char* text;
        const char* language = "en";
    } rows[] = {
        {"the default reads Alt Super S", held("alt super", ansiS, "s"), "Alt+Super+S"},
        {"modifiers go Ctrl Alt Shift Super", held("ctrl alt shift super", ansiK, "k"),
         "Ctrl+Alt+Shift+Super+K"},
        {"fn comes first as Fn", held("fn ctrl", f1, ""), "Fn+Ctrl+F1"},
        {"a key is named by its position not its layout's character", held("ctrl", ansiQ, "a"),
         "Ctrl+Q"},
        {"digits keep their digit", held("shift", ansi5, "%"), "Shift+5"},
        {"named keys such as space are spelt out", held("alt", space, " "), "Alt+Space"},
        {"other keys show their characters upper cased", held("ctrl", ansiComma, ","), "Ctrl+,"},
        {"a German desktop writes Strg and Umschalt", held("ctrl alt shift super", ansiK, "k"),
         "Strg+Alt+Umschalt+Super+K", "de"},
        {"a French desktop names the keys in French", held("shift", space, " "), "Maj+Espace",
         "fr"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ShortcutText::words(row.record, Localizer::forLanguages({row.language})),
                  row.text)
            << row.behaviour;
}

} // namespace

} // namespace wigglet::test
