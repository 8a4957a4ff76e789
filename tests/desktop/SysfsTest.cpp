#include "platform/linux/sysfs/SysfsBacklight.h"
#include "platform/linux/sysfs/SysfsPowerSources.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <map>

using wigglet::desktop::SysfsBacklight;
using wigglet::desktop::SysfsPowerSources;
using wigglet::testing::TemporaryFolder;

namespace {

// A fake sysfs class folder: device name to its attribute files.
using Tree = std::map<std::string, std::map<std::string, std::string>>;

void plant(const TemporaryFolder& folder, const Tree& tree) {
    for (const auto& [device, attributes] : tree)
        for (const auto& [attribute, text] : attributes)
            folder.write(std::filesystem::path(device) / attribute, text + "\n");
}

} // namespace

TEST(SysfsPowerSources, ReadsBatteriesAndAdaptersFromTheClassFolder) {
    struct Row {
        const char* behaviour;
        Tree tree;
        bool battery;
        std::vector<std::optional<int>> charges;
        bool adapter;
    };
    const Row rows[] = {
        {"no power supplies means no battery, no charge and no adapter", {}, false, {}, false},
        {"a mains adapter alone is an adapter without a battery",
         {{"AC", {{"type", "Mains"}, {"online", "1"}}}},
         false,
         {},
         true},
        {"one battery reports its charge",
         {{"BAT0", {{"type", "Battery"}, {"capacity", "57"}}},
          {"AC", {{"type", "Mains"}, {"online", "0"}}}},
         true,
         {57},
         false},
        {"two batteries report each charge in name order",
         {{"BAT0", {{"type", "Battery"}, {"capacity", "80"}}},
          {"BAT1", {{"type", "Battery"}, {"capacity", "15"}}}},
         true,
         {80, 15},
         false},
        {"a battery whose capacity cannot be read reports no charge",
         {{"BAT0", {{"type", "Battery"}, {"status", "Unknown"}}},
          {"BAT1", {{"type", "Battery"}, {"capacity", "garbage"}}}},
         true,
         {std::nullopt, std::nullopt},
         false},
        {"a peripheral's battery is not a power source",
         {{"hid-mouse-battery", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "5"}}}},
         false,
         {},
         false},
        {"a USB supply that is online is an adapter",
         {{"ucsi-source-psy-1", {{"type", "USB"}, {"online", "1"}}},
          {"BAT0", {{"type", "Battery"}, {"capacity", "100"}}}},
         true,
         {100},
         true},
        {"an older kernel's USB-C supply that is online is an adapter",
         {{"usb-c", {{"type", "USB_C"}, {"online", "1"}}}},
         false,
         {},
         true},
        {"an adapter without an online state is not attached",
         {{"AC", {{"type", "Mains"}}}},
         false,
         {},
         false},
    };
    for (const Row& row : rows) {
        TemporaryFolder folder;
        plant(folder, row.tree);
        SysfsPowerSources sources(folder.path());
        EXPECT_EQ(sources.hasSmartBattery(), row.battery) << row.behaviour;
        EXPECT_EQ(sources.charges(), row.charges) << row.behaviour;
        EXPECT_EQ(sources.externalAdapterAttached(), row.adapter) << row.behaviour;
    }
}

TEST(SysfsPowerSources, MissingClassFolderReadsAsNoPowerSupplies) {
    SysfsPowerSources sources("/nonexistent/power_supply");
    EXPECT_FALSE(sources.hasSmartBattery());
    EXPECT_TRUE(sources.charges().empty());
    EXPECT_FALSE(sources.externalAdapterAttached());
}

TEST(SysfsPowerSources, ChargeIsReadAfreshOnEveryCall) {
    TemporaryFolder folder;
    plant(folder, {{"BAT0", {{"type", "Battery"}, {"capacity", "60"}}}});
    SysfsPowerSources sources(folder.path());
    EXPECT_EQ(sources.charges(), (std::vector<std::optional<int>>{60}));
    plant(folder, {{"BAT0", {{"capacity", "59"}}}});
    EXPECT_EQ(sources.charges(), (std::vector<std::optional<int>>{59}));
}

TEST(SysfsBacklight, ReadsTheBrightnessAsAFractionOfItsMaximum) {
    struct Row {
        const char* behaviour;
        Tree tree;
        float brightness;
    };
    const Row rows[] = {
        {"no backlight reads 0", {}, 0.0f},
        {"half of the maximum reads 0.5",
         {{"intel_backlight", {{"actual_brightness", "400"}, {"max_brightness", "800"}}}},
         0.5f},
        {"full brightness reads 1",
         {{"intel_backlight", {{"actual_brightness", "255"}, {"max_brightness", "255"}}}},
         1.0f},
        {"a maximum of 0 reads 0",
         {{"intel_backlight", {{"actual_brightness", "3"}, {"max_brightness", "0"}}}},
         0.0f},
        {"an unreadable brightness reads 0",
         {{"intel_backlight", {{"max_brightness", "100"}}}},
         0.0f},
        {"a firmware backlight wins over a raw one",
         {{"a_raw", {{"type", "raw"}, {"actual_brightness", "10"}, {"max_brightness", "100"}}},
          {"b_firmware",
           {{"type", "firmware"}, {"actual_brightness", "3"}, {"max_brightness", "4"}}}},
         0.75f},
        {"a platform backlight wins over a raw one",
         {{"a_raw", {{"type", "raw"}, {"actual_brightness", "10"}, {"max_brightness", "100"}}},
          {"b_platform",
           {{"type", "platform"}, {"actual_brightness", "1"}, {"max_brightness", "4"}}}},
         0.25f},
    };
    for (const Row& row : rows) {
        TemporaryFolder folder;
        plant(folder, row.tree);
        SysfsBacklight backlight(folder.path());
        EXPECT_FLOAT_EQ(backlight.currentBrightness(), row.brightness) << row.behaviour;
    }
}
