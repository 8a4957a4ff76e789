#include "SettingsStoreTestSupport.h"
#include "foundation/SettingsStore.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace wigglet {
namespace {

using nlohmann::json;
using testing::bytesOf;
using testing::TemporaryFolder;

constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr auto kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::nullopt_t no = std::nullopt;

// What each typed accessor reads for one stored value.
struct ConversionRow {
    const char* behaviour;
    std::optional<json> stored;
    bool asBool;
    std::int64_t asInteger;
    double asDouble;
    std::optional<std::string> asString;
    std::optional<Bytes> asData;
};

const ConversionRow kConversions[] = {
    {"an absent key reads as every zero value", no, false, 0, 0.0, no, no},
    {"boolean true reads as true, 1 and no text", true, true, 1, 1.0, no, no},
    {"a non-zero integer is true and its decimal text", 30, true, 30, 30.0, "30", no},
    {"integer zero is false and the text 0", 0, false, 0, 0.0, "0", no},
    {"a negative integer is true and keeps its sign", -7, true, -7, -7.0, "-7", no},
    {"a double is truncated toward zero as an integer", 2.5, true, 2, 2.5, "2.5", no},
    {"a negative double truncates toward zero", -2.75, true, -2, -2.75, "-2.75", no},
    {"a whole double reads as text without a fraction", 30.0, true, 30, 30.0, "30", no},
    {"a double reads as its shortest decimal text", 0.1, true, 0, 0.1, "0.1", no},
    {"a double beyond the integer range saturates", 1e300, true, kInt64Max, 1e300, "1e+300", no},
    {"a negative double beyond the range saturates", -1e300, true, kInt64Min, -1e300, "-1e+300",
     no},
    {"an unsigned number beyond the integer range saturates", json(std::uint64_t(1) << 63), true,
     kInt64Max, 9223372036854775808.0, "9223372036854775808", no},
    {"the text true is true", "true", true, 0, 0.0, "true", no},
    {"the text YES is true", "YES", true, 0, 0.0, "YES", no},
    {"the text 1 is true and the number 1", "1", true, 1, 1.0, "1", no},
    {"the text yes in lower case is false", "yes", false, 0, 0.0, "yes", no},
    {"the text 2 is not one of the true texts", "2", false, 2, 2.0, "2", no},
    {"a number at the start of a text is read, blanks first", " 42abc", false, 42, 42.0, " 42abc",
     no},
    {"a decimal text reads as its integer part", "3.75", false, 3, 3.75, "3.75", no},
    {"a signed text keeps its sign", "-12", false, -12, -12.0, "-12", no},
    {"a text without a number reads as zero", "abc", false, 0, 0.0, "abc", no},
    {"a text number beyond the integer range saturates", "99999999999999999999", false, kInt64Max,
     1e20, "99999999999999999999", no},
    {"a negative text number beyond the range saturates", "-99999999999999999999", false, kInt64Min,
     -1e20, "-99999999999999999999", no},
    {"the text inf is no number", "inf", false, 0, 0.0, "inf", no},
    {"a data value reads as its bytes and nothing else", json{{"data", "aGk="}}, false, 0, 0.0, no,
     bytesOf("hi")},
    {"empty data reads as no bytes, not as no value", json{{"data", ""}}, false, 0, 0.0, no,
     Bytes{}},
    {"data that is not base64 reads as no value", json{{"data", "!!!!"}}, false, 0, 0.0, no, no},
    {"a data object with another member is not data", json{{"data", "aGk="}, {"x", 1}}, false, 0,
     0.0, no, no},
    {"a text is not data", "aGk=", false, 0, 0.0, "aGk=", no},
    {"an array reads as every zero value", json::array({1, 2}), false, 0, 0.0, no, no},
    {"another object reads as every zero value", json{{"x", true}}, false, 0, 0.0, no, no},
};

void expectReads(SettingsStore& store, const ConversionRow& row) {
    EXPECT_EQ(store.boolForKey("key"), row.asBool);
    EXPECT_EQ(store.integerForKey("key"), row.asInteger);
    EXPECT_DOUBLE_EQ(store.doubleForKey("key"), row.asDouble);
    EXPECT_EQ(store.stringForKey("key"), row.asString);
    EXPECT_EQ(store.dataForKey("key"), row.asData);
}

TEST(SettingsStoreConversion, InMemoryAndReadBackFromTheFile) {
    for (const ConversionRow& row : kConversions) {
        SCOPED_TRACE(row.behaviour);
        TemporaryFolder folder;
        SettingsStore inMemory;
        {
            SettingsStore writer(folder / "settings.json");
            if (row.stored) {
                inMemory.putRaw("key", *row.stored);
                writer.putRaw("key", *row.stored);
            }
        }
        SettingsStore reader(folder / "settings.json");
        expectReads(inMemory, row);
        expectReads(reader, row);
    }
}

// What each setter leaves in the file and what the same accessor reads back after a restart.
struct WriteRow {
    const char* behaviour;
    void (*write)(SettingsStore&);
    json onDisk;
    void (*check)(SettingsStore&);
};

const WriteRow kWrites[] = {
    {"a boolean is a JSON boolean", [](SettingsStore& s) { s.setBool("key", true); }, true,
     [](SettingsStore& s) { EXPECT_TRUE(s.boolForKey("key")); }},
    {"an integer is a JSON integer",
     [](SettingsStore& s) { s.setInteger("key", -9007199254740993); }, -9007199254740993,
     [](SettingsStore& s) { EXPECT_EQ(s.integerForKey("key"), -9007199254740993); }},
    {"a double stays a double even when whole", [](SettingsStore& s) { s.setDouble("key", 900.0); },
     900.0, [](SettingsStore& s) { EXPECT_EQ(s.doubleForKey("key"), 900.0); }},
    {"a double keeps every bit", [](SettingsStore& s) { s.setDouble("key", 0.1 + 0.2); }, 0.1 + 0.2,
     [](SettingsStore& s) { EXPECT_EQ(s.doubleForKey("key"), 0.1 + 0.2); }},
    {"a non-finite double is stored as null",
     [](SettingsStore& s) { s.setDouble("key", std::numeric_limits<double>::infinity()); }, nullptr,
     [](SettingsStore& s) { EXPECT_EQ(s.doubleForKey("key"), 0.0); }},
    {"a string is a JSON string", [](SettingsStore& s) { s.setString("key", "{512.4, 200}"); },
     "{512.4, 200}", [](SettingsStore& s) { EXPECT_EQ(s.stringForKey("key"), "{512.4, 200}"); }},
    {"data is an object holding base64",
     [](SettingsStore& s) {
         s.setData("key", Bytes{0x00, 0xff, 0x10, 0x7b});
     },
     json{{"data", "AP8Qew=="}},
     [](SettingsStore& s) {
         EXPECT_EQ(s.dataForKey("key"), (Bytes{0x00, 0xff, 0x10, 0x7b}));
     }},
};

TEST(SettingsStoreWrite, StoredFormAndRoundTrip) {
    for (const WriteRow& row : kWrites) {
        SCOPED_TRACE(row.behaviour);
        TemporaryFolder folder;
        const auto path = folder / "settings.json";
        {
            SettingsStore writer(path);
            row.write(writer);
        }
        const json onDisk = testing::readJson(path);
        ASSERT_TRUE(onDisk.is_object());
        EXPECT_EQ(onDisk.at("key"), row.onDisk);
        EXPECT_EQ(onDisk.at("key").type(), row.onDisk.type());
        SettingsStore reader(path);
        row.check(reader);
        EXPECT_EQ(testing::entriesStartingWith(folder.path(), "settings.json"),
                  std::vector<std::filesystem::path>{path})
            << "no temporary file is left behind";
    }
}

} // namespace
} // namespace wigglet
