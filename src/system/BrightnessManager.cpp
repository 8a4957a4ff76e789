#include "system/BrightnessManager.h"

namespace wigglet {

float BrightnessManager::currentBrightness() {
    return 0.0f;
}

void BrightnessManager::dimDisplay() {}

void BrightnessManager::restoreBrightness() {}

} // namespace wigglet
