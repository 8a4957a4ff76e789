#include "TemporaryFolder.h"
#include "platform/linux/sysfs/SysfsBacklight.h"
#include "platform/linux/sysfs/SysfsPowerSources.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

// A fake sysfs class folder, written as "device attribute=text ...; device ...".
void plant(const TemporaryFolder& folder, const std::string& devices) {
    std::istringstream all(devices);
    for (std::string device; std::getline(all, device, ';');) {
        std::istringstream words(device);
        std::string name, attribute;
        words >> name;
        while (words >> attribute) {
            const auto equals = attribute.find('=');
            folder.write(std::filesystem::path(name) / attribute.substr(0, equals),
                         attribute.substr(equals + 1) + "\n");
        }
    }
}

// Each charge, "?" for one that cannot be read, separated by spaces.
std::string chargesOf(SysfsPowerSources& sources) {
    std::string text;
    for (const auto& charge : sources.charges())
        text += (text.empty() ? "" : " ") + (charge ? std::to_string(*charge) : "?");
    return text;
}

} // namespace

TEST(SysfsPowerSources, ReadsBatteriesAndAdaptersFromTheClassFolder) {
    const struct {
        const char* behaviour;
        const char* devices;
        bool battery;
        const char* charges;
        bool adapter;
    } rows[] = {
        {"no power supplies means no battery, no charge and no adapter", "", false, "", false},
        {"a mains adapter alone is an adapter without a battery", "AC type=Mains online=1", false,
         "", true},
        {"one battery reports its charge", "BAT0 type=Battery capacity=57; AC type=Mains online=0",
         true, "57", false},
        {"two batteries report each charge in name order",
         "BAT0 type=Battery capacity=80; BAT1 type=Battery capacity=15", true, "80 15", false},
        {"a battery whose capacity cannot be read reports no charge",
         "BAT0 type=Battery status=Unknown; BAT1 type=Battery capacity=garbage", true, "? ?",
         false},
        {"a peripheral's battery is not a power source",
         "hid-mouse-battery type=Battery scope=Device capacity=5", false, "", false},
        {"a USB supply that is online is an adapter",
         "ucsi-source-psy-1 type=USB online=1; BAT0 type=Battery capacity=100", true, "100", true},
        {"an older kernel's USB-C supply that is online is an adapter", "usb-c type=USB_C online=1",
         false, "", true},
        {"an adapter without an online state is not attached", "AC type=Mains", false, "", false},
    };
    for (const auto& row : rows) {
        TemporaryFolder folder;
        plant(folder, row.devices);
        // No power supplies at all is the class folder missing, as in a container.
        SysfsPowerSources sources(*row.devices ? folder.path() : folder / "missing");
        EXPECT_EQ(sources.hasSmartBattery(), row.battery) << row.behaviour;
        EXPECT_EQ(chargesOf(sources), row.charges) << row.behaviour;
        EXPECT_EQ(sources.externalAdapterAttached(), row.adapter) << row.behaviour;
    }
    TemporaryFolder folder;
    plant(folder, "BAT0 type=Battery capacity=60");
    SysfsPowerSources sources(folder.path());
    EXPECT_EQ(chargesOf(sources), "60");
    plant(folder, "BAT0 capacity=59");
    EXPECT_EQ(chargesOf(sources), "59") << "the charge is read afresh on every call";
}

TEST(SysfsBacklight, ReadsTheBrightnessAsAFractionOfItsMaximum) {
    const struct {
        const char* behaviour;
        const char* devices;
        float brightness;
    } rows[] = {
        {"no backlight reads 0", "", 0.0f},
        {"half of the maximum reads 0.5", "intel actual_brightness=400 max_brightness=800", 0.5f},
        {"full brightness reads 1", "intel actual_brightness=255 max_brightness=255", 1.0f},
        {"a maximum of 0 reads 0", "intel actual_brightness=3 max_brightness=0", 0.0f},
        {"an unreadable brightness reads 0", "intel max_brightness=100", 0.0f},
        {"a firmware backlight wins over a raw one",
         "a_raw type=raw actual_brightness=10 max_brightness=100; "
         "b_firmware type=firmware actual_brightness=3 max_brightness=4",
         0.75f},
        {"a platform backlight wins over a raw one",
         "a_raw type=raw actual_brightness=10 max_brightness=100; "
         "b_platform type=platform actual_brightness=1 max_brightness=4",
         0.25f},
    };
    for (const auto& row : rows) {
        TemporaryFolder folder;
        plant(folder, row.devices);
        SysfsBacklight backlight(folder.path());
        EXPECT_FLOAT_EQ(backlight.currentBrightness(), row.brightness) << row.behaviour;
    }
}
