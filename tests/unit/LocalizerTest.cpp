#include "foundation/Localizer.h"

#include "BehaviourRowName.h"
#include "SettingsStoreTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wigglet {
namespace {

TEST(Localizer, TheCopyrightNoticeIsThere) {
    const Localizer english;
    EXPECT_TRUE(english.contains("copyright"));
    EXPECT_NE(english.string("copyright"), "");
}

TEST(Localizer, AKeyThatNotEvenEnglishHasReadsAsTheKeyItself) {
    EXPECT_EQ(Localizer().string("no-such-key"), "no-such-key");
    EXPECT_EQ(Localizer().string(""), "");
    EXPECT_EQ(Localizer::forLanguages({"de"}).string("no-such-key"), "no-such-key");
}

TEST(Localizer, AKeyTheTableLacksReadsInEnglish) {
    const Localizer partial = Localizer::fromJson(R"({"menu-shake": "Secouer"})");
    EXPECT_EQ(partial.string("menu-shake"), "Secouer");
    EXPECT_EQ(partial.string("menu-quit"), "Quit");
    EXPECT_TRUE(partial.contains("menu-quit"));
    EXPECT_FALSE(partial.contains("no-such-key"));
}

TEST(Localizer, EachBuiltInTableIsItsResourceFileAsItIsNow) {
    for (const char* language : {"en", "de", "fr", "es", "pt_BR", "it", "pl"}) {
        SCOPED_TRACE(language);
        const auto file = testing::readFile(std::filesystem::path(WIGGLET_RESOURCES_DIR) /
                                            "strings" / (std::string(language) + ".json"));
        ASSERT_TRUE(file.has_value());
        const auto entries = nlohmann::json::parse(*file);
        const Localizer builtIn = Localizer::forLanguages({language});
        EXPECT_EQ(builtIn.language(), language);
        EXPECT_EQ(builtIn.size(), entries.size());
        for (const auto& [key, text] : entries.items())
            EXPECT_EQ(builtIn.string(key), text.get<std::string>()) << key;
    }
}

struct FormatRow {
    const char* behaviour;
    const char* table;
    std::vector<std::string> arguments;
    const char* text;
};

void PrintTo(const FormatRow& row, std::ostream* out) {
    *out << '"' << row.behaviour << '"';
}

const FormatRow kFormats[] = {
    {"placeholders take the arguments by number", R"({"k": "%1 then %2"})", {"a", "b"}, "a then b"},
    {"a translation may reorder them", R"({"k": "%2, %1"})", {"a", "b"}, "b, a"},
    {"an argument is not read again for placeholders", R"({"k": "<%1>"})", {"%1"}, "<%1>"},
    {"a placeholder with no argument stays", R"({"k": "%1 %2"})", {"a"}, "a %2"},
    {"a percent sign that is no placeholder stays", R"({"k": "50% of %1%"})", {"x"}, "50% of x%"},
};

class LocalizerFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(LocalizerFormat, FillsThePlaceholders) {
    EXPECT_EQ(Localizer::fromJson(GetParam().table).format("k", GetParam().arguments),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, LocalizerFormat, ::testing::ValuesIn(kFormats),
                         wigglet::test::BehaviourRowName());

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

TEST_P(LocalizerMalformed, FallsBackToEnglish) {
    const Localizer table = Localizer::fromJson(GetParam().json);
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.string("menu-shake"), "Shake");
    EXPECT_EQ(table.string("menu-quit"), "Quit");
}

INSTANTIATE_TEST_SUITE_P(Rows, LocalizerMalformed, ::testing::ValuesIn(kMalformed),
                         wigglet::test::BehaviourRowName());

TEST(Localizer, GoodEntriesBesideBadOnesAreUsed) {
    const Localizer table = Localizer::fromJson(R"({"menu-shake": "Secouer", "menu-quit": 1})");
    EXPECT_EQ(table.string("menu-shake"), "Secouer");
    EXPECT_EQ(table.string("menu-quit"), "Quit");
}

} // namespace
} // namespace wigglet
