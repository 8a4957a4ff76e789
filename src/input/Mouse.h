#pragma once

#include "foundation/NotificationCenter.h"
#include "input/MouseControl.h"
#include "platform/Geometry.h"

#include <cstdint>

namespace wigglet {

enum class MoveStatus { GOING, RETURNING, STOPPED };

enum class ScrollDirection { UP, DOWN };

constexpr double rawValue(ScrollDirection direction) {
    return direction == ScrollDirection::UP ? 1.0 : -1.0;
}

// Decides what one shake step does to the pointer, the wheel and the buttons, reading the
// settings at the moment of each step; MouseControl paces the events. The natural pointer cycle
// alternates going away and coming back to where it began, and starts afresh after every
// interruption. Without a primary screen the pointer cannot be read: the natural step that
// would capture its start and a click at the pointer are skipped.
class Mouse {
  public:
    Mouse();
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    void shakeClick();
    void shakeMove();
    ScrollDirection nextScrollDirection();
    void shakeScroll(ScrollDirection direction);
    void shakeStopped();

    const std::int64_t MAX_UP_DOWN_SCROLL_CYCLES = 5;
    NotificationCenter& notificationCenter;
    Point startShakePos;
    MoveStatus nextMoveStatus = MoveStatus::STOPPED;
    ScrollDirection upDownScrollDir = ScrollDirection::DOWN;
    std::int64_t upDownScrollCountCycles = 0;
    MouseControl mouseControl;

  private:
    void shakeMoveNatural();
    void shakeScrollNatural(ScrollDirection direction);
    void shakeScrollSmooth(ScrollDirection direction);
    std::optional<Point> clickTarget();

    NotificationCenter::Observation interrupted_;
    NotificationCenter::Observation interruptedByUser_;
};

} // namespace wigglet
