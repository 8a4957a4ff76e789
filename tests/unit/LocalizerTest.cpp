#include "foundation/Localizer.h"

#include "BehaviourRowName.h"
#include "SettingsStoreTestSupport.h"

#include <gtest/gtest.h>

namespace wigglet {
namespace {

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
