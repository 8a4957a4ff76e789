#pragma once

#include "platform/EventSource.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>

namespace wigglet {

// Turns pointer, click and scroll intentions into paced platform input, and stops a pattern as
// soon as the user touches the machine. Reads no settings. Points are in global display
// coordinates. Without a primary screen nothing can be placed: the operations that read the
// pointer or the screen size do nothing, and a scroll event whose place cannot be read is
// skipped like one the platform failed to create.
class MouseControl {
  public:
    // The pointer, in global display coordinates; absent when there is no screen.
    std::optional<Point> getMouseLocation();
    void moveMouseToPoint(Point point);
    // Passes the target, swings back and glides onto it; ends on the target even when the user
    // cut the glide short.
    void shakeMouseNaturalReturningTo(Point target);
    // Moves away from the pointer in two jittered legs with a rest between them.
    void shakeMouseNaturalGoing();
    // Out and back along eased steps in one call, ending exactly where it began.
    void shakeMouseSmooth();
    // A signed offset whose magnitude is uniform in [130, 500].
    double getRandomCoord();
    void clickMouseLeftWithPosition(Point point);
    void clickMouseRightWithPosition(Point point);
    void simulateScrollAt(Point point, double deltaY, std::int64_t scrollLines);
    // Evenly paced: 60 events a second of the same whole value; a positive distance scrolls up.
    void simulateSmoothScrollWithDistance(double distance, double duration);
    // 60 events that speed up, hold and slow down; the distance scales the pace, it is not the
    // number of pixels scrolled.
    void simulateNaturalScrollWithDistance(double distance);
    // The low-level mouse-moved event where the pointer is.
    void postMouseMovedInPlace();

    std::uint32_t connect = 0;

    static constexpr std::uint32_t FRAME_PAUSE_US = 16666;
    static constexpr std::uint32_t NATURAL_SCROLL_PAUSE_US = 16000;
    static constexpr std::uint32_t BUTTON_PAUSE_US = 500;
    static constexpr int NATURAL_SCROLL_RAMP_EVENTS = 18;
    static constexpr int NATURAL_SCROLL_PLATEAU_EVENTS = 24;

  private:
    void moveCursorJittered(Point from, Point to, double duration);
    // Sets `interrupted` and returns early when the user's input is seen after a pause.
    void moveCursorStepped(int steps, Point from, Point to, bool& interrupted);
    bool isUserInputRecent();
    void click(MouseEventType down, MouseEventType up, int button, Point point);
    // One scroll event at the pointer; false when the user's input ends the scroll.
    bool scrollAtPointerThenPause(std::int32_t value, std::uint32_t pauseMicroseconds);
    void postScroll(std::int32_t value, Point point);
};

} // namespace wigglet
