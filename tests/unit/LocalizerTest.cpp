#include "foundation/Localizer.h"

#include "BehaviourRowName.h"
#include "SettingsStoreTestSupport.h"

#include <gtest/gtest.h>

namespace wigglet {
namespace {

struct EnglishRow {
    const char* key;
    const char* english;
};

void PrintTo(const EnglishRow& row, std::ostream* out) {
    *out << '"' << row.key << '"';
}

// Every key the program looks up, with the English text it must show.
const EnglishRow kEnglish[] = {
    {"label-title-congrats", "Congrats!"},
    {"shake-for-over-title", "Time is up!"},
    {"shake-for-over-descr", "Wigglet stopped"},
    {"notification-stop-battery-low-title", "Stopped battery is low"},
    {"notification-stop-battery-low-description", "Stopped battery is low"},
    {"menu-shake", "Shake"},
    {"indefinitely", "Indefinitely"},
    {"minutes", "minutes"},
    {"hour", "hour"},
    {"hours", "hours"},
    {"menu-click", "Click"},
    {"menu-scroll", "Scroll"},
    {"menu-move-cursor", "Move"},
    {"menu-preferences", "Preferences…"},
    {"menu-settings", "Settings…"},
    {"menu-more", "More"},
    {"menu-about", "About"},
    {"menu-check-software", "Check our software"},
    {"menu-updates", "Check for Updates"},
    {"menu-overview", "Overview"},
    {"menu-faq", "FAQ"},
    {"menu-rate", "Rate us"},
    {"menu-quit", "Quit"},
    {"menu-shaking-left", "Shaking: "},
    {"menu-shaking-indefinitely", "Shaking Indefinitely..."},
    {"button-type-new-shortcut", "Type new shortcut"},
    {"window-title-features", "Features"},
};

class LocalizerEnglish : public ::testing::TestWithParam<EnglishRow> {};

TEST_P(LocalizerEnglish, TheBuiltInTableHoldsTheEnglishText) {
    EXPECT_EQ(Localizer().string(GetParam().key), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(Keys, LocalizerEnglish, ::testing::ValuesIn(kEnglish),
                         [](const auto& info) {
                             std::string name = info.param.key;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

TEST(Localizer, TheCopyrightNoticeIsThere) {
    const Localizer english;
    EXPECT_TRUE(english.contains("copyright"));
    EXPECT_NE(english.string("copyright"), "");
}

TEST(Localizer, AMissingKeyReadsAsTheKeyItself) {
    EXPECT_EQ(Localizer().string("no-such-key"), "no-such-key");
    EXPECT_EQ(Localizer().string(""), "");
}

TEST(Localizer, TheBuiltInTableIsTheResourceFileAsItIsNow) {
    const auto file =
        testing::readFile(std::filesystem::path(WIGGLET_RESOURCES_DIR) / "strings" / "en.json");
    ASSERT_TRUE(file.has_value());
    const auto entries = nlohmann::json::parse(*file);
    const Localizer builtIn;
    EXPECT_EQ(builtIn.size(), entries.size());
    for (const auto& [key, text] : entries.items())
        EXPECT_EQ(builtIn.string(key), text.get<std::string>()) << key;
}

TEST(Localizer, TheSharedTableIsTheEnglishOne) {
    Platform platform{PlatformServices{}};
    PlatformScope scope(platform);
    EXPECT_EQ(localized("menu-shake"), "Shake");
    EXPECT_EQ(&Localizer::shared(), &Localizer::shared());
}

struct MalformedRow {
    const char* behaviour;
    const char* json;
};

void PrintTo(const MalformedRow& row, std::ostream* out) {
    *out << '"' << row.behaviour << '"';
}

const MalformedRow kMalformed[] = {
    {"text that is not JSON", "menu-shake = Shake"},
    {"a table cut short", R"({"menu-shake": "Sha)"},
    {"an empty text", ""},
    {"an array instead of an object", R"(["menu-shake", "Shake"])"},
    {"a bare string", R"("Shake")"},
    {"values that are not text", R"({"menu-shake": 5, "menu-quit": null, "menu-more": {}})"},
    {"bytes that are not UTF-8", "{\"menu-shake\": \"\xff\xfe\"}"},
};

class LocalizerMalformed : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(LocalizerMalformed, FallsBackToTheKeys) {
    const Localizer table = Localizer::fromJson(GetParam().json);
    EXPECT_EQ(table.string("menu-shake"), "menu-shake");
    EXPECT_EQ(table.string("menu-quit"), "menu-quit");
}

INSTANTIATE_TEST_SUITE_P(Rows, LocalizerMalformed, ::testing::ValuesIn(kMalformed),
                         wigglet::test::BehaviourRowName());

TEST(Localizer, GoodEntriesBesideBadOnesAreUsed) {
    const Localizer table = Localizer::fromJson(R"({"menu-shake": "Secouer", "menu-quit": 1})");
    EXPECT_EQ(table.string("menu-shake"), "Secouer");
    EXPECT_EQ(table.string("menu-quit"), "menu-quit");
}

} // namespace
} // namespace wigglet
