#include "foundation/Localizer.h"

#include "SettingsStoreTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wigglet {
namespace {

// A key the table lacks reads in English, one that not even English has as the key itself.
TEST(Localizer, AMissingKeyReadsInEnglishOrAsTheKeyItself) {
    const Localizer partial = Localizer::fromJson(R"({"menu-shake": "Secouer"})");
    EXPECT_EQ(partial.string("menu-shake"), "Secouer");
    EXPECT_EQ(partial.string("menu-quit"), "Quit");
    EXPECT_TRUE(partial.contains("menu-quit"));
    EXPECT_FALSE(partial.contains("no-such-key"));
    EXPECT_EQ(partial.string("no-such-key"), "no-such-key");
    EXPECT_EQ(Localizer().string(""), "");
    EXPECT_EQ(Localizer::forLanguages({"de"}).string("no-such-key"), "no-such-key");
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

TEST(Localizer, FormatFillsThePlaceholders) {
    const struct {
        const char* behaviour;
        const char* table;
        std::vector<std::string> arguments;
        const char* text;
    } rows[] = {
        {"placeholders take the arguments by number",
         R"({"k": "%1 then %2"})",
         {"a", "b"},
         "a then b"},
        {"a translation may reorder them", R"({"k": "%2, %1"})", {"a", "b"}, "b, a"},
        {"an argument is not read again for placeholders", R"({"k": "<%1>"})", {"%1"}, "<%1>"},
        {"a placeholder with no argument stays", R"({"k": "%1 %2"})", {"a"}, "a %2"},
        {"a percent sign that is no placeholder stays",
         R"({"k": "50% of %1%"})",
         {"x"},
         "50% of x%"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Localizer::fromJson(row.table).format("k", row.arguments), row.text)
            << row.behaviour;
}

// A table that is not an object of texts is empty, and English stands in; good entries beside
// bad ones are used.
TEST(Localizer, WhatIsNotTextFallsBackToEnglish) {
    for (const auto& [json, shake] : std::initializer_list<std::pair<const char*, const char*>>{
             {"menu-shake = Shake", "Shake"},
             {R"({"menu-shake": "Sha)", "Shake"},
             {"", "Shake"},
             {R"(["menu-shake", "Shake"])", "Shake"},
             {R"("Shake")", "Shake"},
             {R"({"menu-shake": 5, "menu-quit": null, "menu-more": {}})", "Shake"},
             {"{\"menu-shake\": \"\xff\xfe\"}", "Shake"},
             {R"({"menu-shake": "Secouer", "menu-quit": 1})", "Secouer"},
         }) {
        const Localizer table = Localizer::fromJson(json);
        EXPECT_EQ(table.string("menu-shake"), shake) << json;
        EXPECT_EQ(table.string("menu-quit"), "Quit") << json;
    }
}

} // namespace
} // namespace wigglet
