#include "system/GlobalKeybindPreferences.h"

#include "ShortcutRecords.h"
#include "SimFixture.h"
#include "platform/ModifierFlags.h"

#include <optional>
#include <tuple>

namespace wigglet {

void PrintTo(const GlobalKeybindPreferences& record, std::ostream* out) {
    *out << record.encode().value_or("<not encodable>");
}

} // namespace wigglet

namespace {

using namespace wigglet;

constexpr const char* kDefaultForm =
    R"({"function":false,"control":false,"command":true,"shift":false,"option":true,)"
    R"("capsLock":false,"carbonFlags":2304,"characters":"s","keyCode":1})";

using namespace wigglet::modifierFlag;
using wigglet::test::controlShiftK;

std::string withoutKey(const std::string& key) {
    auto object = nlohmann::ordered_json::parse(kDefaultForm);
    object.erase(key);
    return object.dump();
}

std::string withValue(const std::string& key, const nlohmann::json& value) {
    auto object = nlohmann::ordered_json::parse(kDefaultForm);
    object[key] = value;
    return object.dump();
}

// The stored form with the first `from` replaced by `to`, as text.
std::string replaced(const std::string& from, const std::string& to) {
    std::string text = kDefaultForm;
    return text.replace(text.find(from), from.size(), to);
}

// Only complete, well-typed records decode; unknown keys and key order do not matter.
TEST(GlobalKeybindPreferencesJson, DecodesOnlyCompleteWellTypedRecords) {
    const std::string form = kDefaultForm;
    const GlobalKeybindPreferences noCharacters{.characters = std::nullopt};
    std::vector<std::tuple<std::string, std::string, std::optional<GlobalKeybindPreferences>>>
        rows = {
            {"the default record's stored form", kDefaultForm, GlobalKeybindPreferences{}},
            {"a record without characters", withoutKey("characters"), noCharacters},
            {"characters given as null", withValue("characters", nullptr), noCharacters},
            {"an unknown key", withValue("colour", "blue"), GlobalKeybindPreferences{}},
            {"another key order",
             R"({"keyCode":1,"characters":"s","carbonFlags":2304,"capsLock":false,"option":true,)"
             R"("shift":false,"command":true,"control":false,"function":false})",
             GlobalKeybindPreferences{}},
            {"the largest 32-bit key code", withValue("keyCode", 4294967295u),
             GlobalKeybindPreferences{.keyCode = 4294967295u}},
            {"a boolean written as a number", withValue("function", 0), std::nullopt},
            {"characters written as a number", withValue("characters", 7), std::nullopt},
            {"a key code above 32 bits", withValue("keyCode", 4294967296u), std::nullopt},
            {"carbonFlags above 32 bits", withValue("carbonFlags", 1ull << 40), std::nullopt},
            {"a negative key code", withValue("keyCode", -1), std::nullopt},
            {"a key code with a fraction", withValue("keyCode", 1.5), std::nullopt},
            {"a key code written as a float", replaced("1}", "1.0}"), std::nullopt},
            {"a key code beyond 64 bits", replaced("1}", "99999999999999999999999}"), std::nullopt},
            {"bytes that are not JSON", "⌥⌘S", std::nullopt},
            {"a truncated object", form.substr(0, 40), std::nullopt},
            {"text after the object", form + "x", std::nullopt},
            {"a JSON array", "[1,2,3]", std::nullopt},
            {"characters that are not UTF-8", replaced("\"s\"", "\"\xff\xfe\""), std::nullopt},
            {"an overlong UTF-8 encoding", replaced("\"s\"", "\"\xc1\xb3\""), std::nullopt},
            {"stray non-UTF-8 bytes between keys", "{\xff" + form.substr(1), std::nullopt},
        };
    for (const char* key : {"function", "control", "command", "shift", "option", "capsLock",
                            "carbonFlags", "keyCode"})
        rows.emplace_back(std::string("without ") + key, withoutKey(key), std::nullopt);
    for (const auto& [behaviour, bytes, expected] : rows)
        EXPECT_EQ(GlobalKeybindPreferences::decode(bytes), expected) << behaviour << ": " << bytes;
}

// Compactly, with the characters only when there are some; that every decoded record reads
// back is shortcut_record_fuzz's.
TEST(GlobalKeybindPreferencesJson, EncodesCompactly) {
    EXPECT_EQ(GlobalKeybindPreferences{}.encode(), std::string(kDefaultForm));
    const auto noCharacters = GlobalKeybindPreferences{.characters = std::nullopt}.encode();
    EXPECT_EQ(noCharacters, withoutKey("characters"));
    EXPECT_EQ(GlobalKeybindPreferences::decode(controlShiftK().encode().value_or("")),
              controlShiftK());
}

TEST(GlobalKeybindPreferencesText, DescriptionAndFlagsPutModifiersInDisplayOrder) {
    GlobalKeybindPreferences all;
    all.function = all.control = all.option = all.command = all.shift = all.capsLock = true;
    all.characters = "a";
    const GlobalKeybindPreferences noCharacters{.characters = std::nullopt};
    const GlobalKeybindPreferences functionAndCapsLock{
        .function = true, .command = false, .option = false, .capsLock = true, .characters = {}};

    const struct {
        const char* behaviour;
        GlobalKeybindPreferences record;
        std::string expected;
        std::uint64_t flags;
    } rows[] = {
        {"the default record reads Option-Command-S", GlobalKeybindPreferences{}, "⌥⌘S",
         option | command},
        {"all six modifiers come before the key, command before shift", all, "Fn⌃⌥⌘⇧⇪A",
         function | control | option | command | shift | capsLock},
        {"control before shift", controlShiftK(), "⌃⇧K", control | shift},
        {"a record without characters shows only its modifiers", noCharacters, "⌥⌘",
         option | command},
        {"function and caps lock alone", functionAndCapsLock, "Fn⇪", function | capsLock},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(row.record.description(), row.expected);
        EXPECT_EQ(row.record.modifierFlags(), row.flags);
    }
    // The characters are upper-cased without breaking text that is not UTF-8.
    const std::pair<const char*, const char*> cases[] = {
        {"k", "K"}, {"é", "É"},   {"ß", "SS"},          {"я", "Я"},
        {"ς", "Σ"}, {"中", "中"}, {"a\377b", "A\377B"}, {"\xc3", "\xc3"}};
    for (const auto& [characters, expected] : cases) {
        const GlobalKeybindPreferences record{
            .command = false, .option = false, .characters = characters};
        EXPECT_EQ(record.description(), expected) << characters;
    }
}

// The Carbon mask and the test for a registrable modifier are seen through the records built
// here, and through ui-shortcut-recorder.
TEST(GlobalKeybindPreferencesRecording, AcceptsOnlyKeysHeldWithARegistrableModifier) {
    const GlobalKeybindPreferences controlOptionK{.control = true,
                                                  .command = false,
                                                  .option = true,
                                                  .carbonFlags = 0x1800,
                                                  .characters = "k",
                                                  .keyCode = 40};
    const GlobalKeybindPreferences functionCommandS{
        .function = true, .option = false, .carbonFlags = 0x0100};
    const GlobalKeybindPreferences emptyCharacters{.characters = "", .keyCode = 36};

    const struct {
        const char* behaviour;
        std::uint32_t keyCode;
        std::optional<std::string> characters;
        std::uint64_t flags;
        std::optional<GlobalKeybindPreferences> expected;
    } rows[] = {
        {"Control-Option-K records control and option with mask 0x1800", 40, "k", control | option,
         controlOptionK},
        {"fn is displayed but not registered", 1, "s", function | command, functionCommandS},
        {"empty characters still count as characters", 36, "", option | command, emptyCharacters},
        {"an event without characters builds no record", 40, std::nullopt, command, std::nullopt},
        {"Control-Shift-K has the control and shift bits", 40, "k", control | shift,
         controlShiftK()},
        {"other bits of the flags are ignored", 1, "s", command | 0xFFFF,
         GlobalKeybindPreferences{.option = false, .carbonFlags = 0x0100}},
        {"caps lock alone is no modifier", 1, "s", capsLock, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(GlobalKeybindPreferences::fromKeyEvent(row.keyCode, row.characters, row.flags),
                  row.expected);
    }
}

using StoredShortcut = wigglet::test::SimFixture;

TEST_F(StoredShortcut, WritingStoresTheCompactFormUnlessTheRecordCannotBeEncoded) {
    GlobalKeybindPreferences::setStoredShortcut(controlShiftK());
    GlobalKeybindPreferences broken = controlShiftK();
    broken.characters = "\xff";
    GlobalKeybindPreferences::setStoredShortcut(broken);
    const auto bytes = SettingsStore::shared().dataForKey(SettingsKey::shakeHotkey);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), *controlShiftK().encode());
    EXPECT_EQ(GlobalKeybindPreferences::storedShortcut(), controlShiftK());
    const auto stores = traceLines("store");
    ASSERT_EQ(stores.size(), 1u);
    EXPECT_EQ(stores[0]["type"], "data");
}

} // namespace
