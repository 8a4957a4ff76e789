#pragma once

#include "platform/EventSource.h"

#include <cstddef>

namespace wigglet::bench {

// Takes every event and warp and only counts them. Nobody ever touches this machine, so no
// pattern is cut short.
class CountingEventSource final : public EventSource {
  public:
    double secondsSinceLastInput() override { return 1e9; }
    bool mayPostEvents() override { return true; }

    std::size_t posted = 0;
    std::size_t warps = 0;
    Point pointer{720, 450}; // global display coordinates

  protected:
    void doPost(const MouseEvent&) override { ++posted; }
    void doPost(const ScrollEvent&) override { ++posted; }
    void doPost(const KeyEvent&) override { ++posted; }
    void doPost(const SystemDefinedEvent&) override { ++posted; }
    void doWarp(Point location) override;
    void doNudge(Point) override { ++posted; }
};

} // namespace wigglet::bench
