// The layouts against the English table.
#include "SettingsStoreTestSupport.h"

#include <QFile>
#include <QXmlStreamReader>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace wigglet::test {

namespace {

const std::filesystem::path kResources = WIGGLET_RESOURCES_DIR;

nlohmann::json tableFile(const std::filesystem::path& path) {
    return nlohmann::json::parse(wigglet::testing::readFile(path).value_or(""), nullptr, false);
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
