#pragma once

#include "app/NotificationCenter.h"
#include "input/MouseControl.h"
#include "platform/Geometry.h"

#include <cstdint>

namespace wigglet {

enum class MoveStatus { GOING, RETURNING, STOPPED };

enum class ScrollDirection { UP, DOWN };

constexpr double rawValue(ScrollDirection direction) {
    return direction == ScrollDirection::UP ? 1.0 : -1.0;
}

// Decides what one shake step does to the pointer, the wheel and the buttons.
class Mouse {
  public:
    Mouse();

    void shakeClick();
    void shakeMove();
    ScrollDirection nextScrollDirection();
    void shakeScroll(ScrollDirection direction);

    const std::int64_t MAX_UP_DOWN_SCROLL_CYCLES = 5;
    Point startShakePos;
    MoveStatus nextMoveStatus = MoveStatus::STOPPED;
    ScrollDirection upDownScrollDir = ScrollDirection::DOWN;
    std::int64_t upDownScrollCountCycles = 0;
    MouseControl mouseControl;

  private:
    NotificationCenter::Observation interrupted_;
    NotificationCenter::Observation interruptedByUser_;
};

} // namespace wigglet
