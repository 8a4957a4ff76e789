#include "foundation/Localizer.h"

#include "SettingsStoreTestSupport.h"

#include <gtest/gtest.h>

namespace wigglet {
namespace {

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

TEST(Localizer, AMalformedTableFallsBackToTheKeys) {
    for (const char* json : {
             "menu-shake = Shake",                                       // not JSON
             R"({"menu-shake": "Sha)",                                   // cut short
             "",                                                         // empty
             R"(["menu-shake", "Shake"])",                               // an array
             R"("Shake")",                                               // a bare string
             R"({"menu-shake": 5, "menu-quit": null, "menu-more": {}})", // values not text
             "{\"menu-shake\": \"\xff\xfe\"}",                           // not UTF-8
         }) {
        const Localizer table = Localizer::fromJson(json);
        EXPECT_EQ(table.string("menu-shake"), "menu-shake") << json;
        EXPECT_EQ(table.string("menu-quit"), "menu-quit") << json;
    }
}

TEST(Localizer, GoodEntriesBesideBadOnesAreUsed) {
    const Localizer table = Localizer::fromJson(R"({"menu-shake": "Secouer", "menu-quit": 1})");
    EXPECT_EQ(table.string("menu-shake"), "Secouer");
    EXPECT_EQ(table.string("menu-quit"), "menu-quit");
}

} // namespace
} // namespace wigglet
