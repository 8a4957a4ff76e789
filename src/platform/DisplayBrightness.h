#pragma once

namespace wigglet {

// Reads the display brightness; changing it goes through the brightness keys of EventSource.
class DisplayBrightness {
  public:
    virtual ~DisplayBrightness() = default;
    // 0..1; 0 when there is no display service or it cannot be read.
    virtual float currentBrightness() = 0;
};

} // namespace wigglet
