// The shipped tables against the English one, and the layouts against the English table.
#include "SettingsStoreTestSupport.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace wigglet::test {

namespace {

const std::filesystem::path kResources = WIGGLET_RESOURCES_DIR;

nlohmann::json tableFile(const std::filesystem::path& path) {
    return nlohmann::json::parse(wigglet::testing::readFile(path).value_or(""), nullptr, false);
}

std::set<std::string> keysOf(const nlohmann::json& table) {
    std::set<std::string> keys;
    for (const auto& [key, text] : table.items())
        keys.insert(key);
    return keys;
}

// %1, %@ and {} alike, in any order: a translation may move them.
std::multiset<std::string> placeholdersOf(const std::string& text) {
    static const std::regex placeholder(R"(%[1-9@]|\{\})");
    std::multiset<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

std::vector<std::filesystem::path> translationFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kResources / "strings"))
        if (entry.path().extension() == ".json" && entry.path().stem() != "en")
            files.push_back(entry.path());
    std::ranges::sort(files);
    return files;
}

TEST(LocalizationTables, EachHasExactlyTheEnglishKeysWithTheirPlaceholders) {
    const nlohmann::json english = tableFile(kResources / "strings" / "en.json");
    ASSERT_TRUE(english.is_object());
    for (const auto& file : translationFiles()) {
        SCOPED_TRACE(file.filename().string());
        const nlohmann::json table = tableFile(file);
        ASSERT_TRUE(table.is_object());
        EXPECT_EQ(keysOf(table), keysOf(english));
        for (const auto& [key, text] : table.items()) {
            ASSERT_TRUE(text.is_string()) << key;
            EXPECT_FALSE(text.get<std::string>().empty()) << key;
            if (english.contains(key)) {
                EXPECT_EQ(placeholdersOf(text.get<std::string>()),
                          placeholdersOf(english[key].get<std::string>()))
                    << key;
            }
        }
    }
}

// A layout names each text's key in its comment, with the English text beside it.
TEST(LocalizationTables, EveryLayoutTextHasItsEnglishEntry) {
    const nlohmann::json english = tableFile(kResources / "strings" / "en.json");
    int texts = 0;
    for (const char* layout : {"Main.ui", "Preferences.ui"}) {
        QFile file(QString::fromStdString((kResources / "layouts" / layout).string()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << layout;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement ||
                xml.name() != QStringLiteral("string"))
                continue;
            const std::string key =
                xml.attributes().value(QStringLiteral("comment")).toString().toStdString();
            const std::string text = xml.readElementText().toStdString();
            if (key.empty())
                continue;
            ++texts;
            ASSERT_TRUE(english.contains(key)) << layout << ": " << key;
            EXPECT_EQ(english[key].get<std::string>(), text) << layout << ": " << key;
        }
        EXPECT_FALSE(xml.hasError()) << layout;
    }
    EXPECT_GT(texts, 40);
}

} // namespace

} // namespace wigglet::test
