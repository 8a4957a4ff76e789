#include "system/BrightnessManager.h"

#include "foundation/SettingsStore.h"
#include "platform/DisplayBrightness.h"
#include "platform/EventSource.h"
#include "platform/Platform.h"
#include "platform/Sleeper.h"

namespace wigglet {

namespace {

constexpr int NSEventTypeSystemDefined = 14;
constexpr int NX_SUBTYPE_AUX_CONTROL_BUTTONS = 8;
constexpr std::uint64_t kKeyDownFlags = 0xA00;
constexpr std::uint64_t kKeyUpFlags = 0xB00;

SystemDefinedEvent brightnessKeyEvent(int keyType, std::uint64_t flags) {
    SystemDefinedEvent event;
    event.type = NSEventTypeSystemDefined;
    event.location = Point{0, 0};
    event.modifierFlags = flags;
    event.timestamp = 0;
    event.windowNumber = 0;
    event.subtype = NX_SUBTYPE_AUX_CONTROL_BUTTONS;
    event.data1 = (std::int64_t{keyType} << 16) | static_cast<std::int64_t>(flags);
    event.data2 = -1;
    return event;
}

} // namespace

float BrightnessManager::currentBrightness() {
    return Platform::current().brightness().currentBrightness();
}

void BrightnessManager::dimDisplay() {
    const DimOption option = SettingsStore::shared().dimOption();
    if (option == DimOption::fully)
        dimFully();
    else if (option == DimOption::toHalf)
        dimToHalf();
}

void BrightnessManager::dimFully() {
    brightnessUserValue = currentBrightness();
    for (int i = 0; i < kMaxKeyPresses; ++i)
        pressBrightnessKey(NX_KEYTYPE_BRIGHTNESS_DOWN);
    pause();
}

void BrightnessManager::dimToHalf() {
    const float brightness = currentBrightness();
    if (brightness < kLowestDimmableBrightness)
        return;
    brightnessUserValue = brightness;
    const float goal = 0.5f * brightness;
    for (int i = 0; i < kMaxKeyPresses; ++i) {
        if (currentBrightness() <= goal)
            break;
        pressBrightnessKey(NX_KEYTYPE_BRIGHTNESS_DOWN);
        pause();
    }
}

void BrightnessManager::restoreBrightness() {
    for (int i = 0; i < kMaxKeyPresses; ++i) {
        if (currentBrightness() >= brightnessUserValue)
            break;
        pressBrightnessKey(NX_KEYTYPE_BRIGHTNESS_UP);
        pause();
    }
    brightnessUserValue = 0.0f;
}

void BrightnessManager::pressBrightnessKey(int keyType) {
    EventSource& events = Platform::current().events();
    // An event that cannot be created is skipped; its partner is still tried.
    for (const std::uint64_t flags : {kKeyDownFlags, kKeyUpFlags})
        if (const auto event = events.createSystemDefinedEvent(brightnessKeyEvent(keyType, flags)))
            events.post(*event);
}

void BrightnessManager::pause() {
    Platform::current().sleeper().sleepMicroseconds(kKeyPressPauseMicros);
}

} // namespace wigglet
