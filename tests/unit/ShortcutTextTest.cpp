#include "system/ShortcutText.h"

#include "BehaviourRowName.h"
#include "platform/VirtualKeys.h"

#include <optional>
#include <string>

namespace wigglet::test {

namespace {

struct Row {
    const char* behaviour;
    bool function, control, option, shift, command;
    std::uint32_t keyCode;
    std::optional<std::string> characters;
    const char* text;
    const char* language;
};

class ShortcutWords : public ::testing::TestWithParam<Row> {};

TEST_P(ShortcutWords, ReadsAsTheDesktopWritesIt) {
    const Row& row = GetParam();
    GlobalKeybindPreferences record;
    record.function = row.function;
    record.control = row.control;
    record.option = row.option;
    record.shift = row.shift;
    record.command = row.command;
    record.keyCode = row.keyCode;
    record.characters = row.characters;
    EXPECT_EQ(ShortcutText::words(record, Localizer::forLanguages({row.language})), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortcutWords,
    ::testing::Values(Row{"the default reads Alt Super S", false, false, true, false, true,
                          virtualKey::ansiS, "s", "Alt+Super+S", "en"},
                      Row{"modifiers go Ctrl Alt Shift Super", false, true, true, true, true,
                          virtualKey::ansiK, "k", "Ctrl+Alt+Shift+Super+K", "en"},
                      Row{"fn comes first as Fn", true, true, false, false, false, virtualKey::f1,
                          "", "Fn+Ctrl+F1", "en"},
                      Row{"a key is named by its position not its layout's character", false, true,
                          false, false, false, virtualKey::ansiQ, "a", "Ctrl+Q", "en"},
                      Row{"digits keep their digit", false, false, false, true, false,
                          virtualKey::ansi5, "%", "Shift+5", "en"},
                      Row{"named keys such as space are spelt out", false, false, true, false,
                          false, virtualKey::space, " ", "Alt+Space", "en"},
                      Row{"other keys show their characters upper cased", false, true, false, false,
                          false, virtualKey::ansiComma, ",", "Ctrl+,", "en"},
                      Row{"a German desktop writes Strg and Umschalt", false, true, true, true,
                          true, virtualKey::ansiK, "k", "Strg+Alt+Umschalt+Super+K", "de"},
                      Row{"a French desktop names the keys in French", false, false, false, true,
                          false, virtualKey::space, " ", "Maj+Espace", "fr"}),
    BehaviourRowName{});

} // namespace

} // namespace wigglet::test
