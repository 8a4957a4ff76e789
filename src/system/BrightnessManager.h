#pragma once

namespace wigglet {

// Dims the display with synthetic brightness keys while the user is away and brings it back.
class BrightnessManager {
  public:
    float currentBrightness();
    void dimDisplay();
    void restoreBrightness();

    // The brightness found when dimming began; above 0 while dimming is in force.
    float brightnessUserValue = 0.0f;
};

} // namespace wigglet
