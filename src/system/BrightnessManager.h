#pragma once

#include "platform/VirtualKeys.h"

#include <cstdint>

namespace wigglet {

// Dims the display while the user is away and brings it back, by pressing the brightness keys
// one step at a time; it never sets the brightness directly. When to dim or restore is the
// delegate's decision.
class BrightnessManager {
  public:
    static constexpr int kMaxKeyPresses = 16;
    static constexpr std::uint32_t kKeyPressPauseMicros = 28000;
    static constexpr float kLowestDimmableBrightness = 0.1f;
    static constexpr int NX_KEYTYPE_BRIGHTNESS_UP = auxiliaryKey::brightnessUp;
    static constexpr int NX_KEYTYPE_BRIGHTNESS_DOWN = auxiliaryKey::brightnessDown;

    // 0..1; 0 when the display cannot be read.
    float currentBrightness();
    // Dims according to the dim option: to at most half, or fully by sixteen presses.
    void dimDisplay();
    // Raises the brightness back towards brightnessUserValue, then forgets it.
    void restoreBrightness();

    // The brightness found when dimming began; above 0 while dimming is in force.
    float brightnessUserValue = 0.0f;

  private:
    void dimFully();
    void dimToHalf();
    void pressBrightnessKey(int keyType);
    void pause();
};

} // namespace wigglet
