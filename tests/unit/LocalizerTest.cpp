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

// Each entry that is not text falls back to its key; good entries beside bad ones are used.
TEST(Localizer, WhatIsNotTextFallsBackToTheKey) {
    for (const auto& [json, shake] : std::initializer_list<std::pair<const char*, const char*>>{
             {"menu-shake = Shake", "menu-shake"},
             {R"({"menu-shake": "Sha)", "menu-shake"},
             {"", "menu-shake"},
             {R"(["menu-shake", "Shake"])", "menu-shake"},
             {R"("Shake")", "menu-shake"},
             {R"({"menu-shake": 5, "menu-quit": null, "menu-more": {}})", "menu-shake"},
             {"{\"menu-shake\": \"\xff\xfe\"}", "menu-shake"},
             {R"({"menu-shake": "Secouer", "menu-quit": 1})", "Secouer"},
         }) {
        const Localizer table = Localizer::fromJson(json);
        EXPECT_EQ(table.string("menu-shake"), shake) << json;
        EXPECT_EQ(table.string("menu-quit"), "menu-quit") << json;
    }
}

} // namespace
} // namespace wigglet
