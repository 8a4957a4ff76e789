#include "input/MouseControl.h"

#include "input/Utils.h"
#include "platform/Platform.h"
#include "platform/Sleeper.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wigglet {

namespace {

// The user's own input is this recent right after a pause only if it is still going on.
constexpr double USER_INPUT_RECENT_SECONDS = 0.00045;

constexpr int EASED_STEPS = 24;
constexpr int EASED_TAIL_STEPS = 25;
constexpr std::int64_t EASED_START_US = 12000;
constexpr std::int64_t CRUISE_US = 5000;
constexpr std::int64_t CRUISE_SPREAD_US = 600;

constexpr double RANDOM_COORD_MIN = 130;
constexpr double RANDOM_COORD_MAX = 500;

// Truncated toward zero and held within the 32-bit range.
std::int32_t toInt32(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), lowest, highest));
}

void sleepMicroseconds(std::uint32_t microseconds) {
    Platform::current().sleeper().sleepMicroseconds(microseconds);
}

EventSource& events() {
    return Platform::current().events();
}

// Eased in over the first steps and out over the last ones, brisk and a little uneven between.
std::uint32_t steppedPause(int step, int steps) {
    const std::int64_t k = step;
    const std::int64_t n = steps;
    std::int64_t pause;
    if (k <= EASED_STEPS)
        pause = EASED_START_US - (k - 1) * (k + 80);
    else if (k <= n - EASED_TAIL_STEPS)
        pause = CRUISE_US + Platform::current().random().uniformInt(0, CRUISE_SPREAD_US);
    else
        pause = EASED_START_US - (n - k - 1) * (k + 80);
    return static_cast<std::uint32_t>(std::max<std::int64_t>(0, pause));
}

// The offset, reversed when it would leave [0, extent] from the origin.
double reflected(double origin, double offset, double extent) {
    const double target = origin + offset;
    return target < 0 || target > extent ? -offset : offset;
}

} // namespace

std::optional<Point> MouseControl::getMouseLocation() {
    return Utils::pointerLocation();
}

void MouseControl::moveMouseToPoint(Point point) {
    events().warpCursor(point);
}

bool MouseControl::isUserInputRecent() {
    return events().secondsSinceLastInput() < USER_INPUT_RECENT_SECONDS;
}

void MouseControl::moveCursorJittered(Point from, Point to, double duration) {
    const int n = static_cast<int>(duration * 60);
    if (n < 1)
        return;
    Random& random = Platform::current().random();
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double jx = random.uniformReal(-1, 1);
        const double jy = random.uniformReal(-1, 1);
        moveMouseToPoint({from.x + (to.x - from.x) * t + jx, from.y + (to.y - from.y) * t + jy});
        sleepMicroseconds(FRAME_PAUSE_US);
    }
}

void MouseControl::moveCursorStepped(int steps, Point from, Point to, bool& interrupted) {
    if (steps < 1)
        return;
    const Point increment{(to.x - from.x) / steps, (to.y - from.y) / steps};
    Point position = from;
    for (int k = 1; k <= steps; ++k) {
        position.x += increment.x;
        position.y += increment.y;
        moveMouseToPoint(position);
        sleepMicroseconds(steppedPause(k, steps));
        if (isUserInputRecent()) {
            interrupted = true;
            return;
        }
    }
}

double MouseControl::getRandomCoord() {
    Random& random = Platform::current().random();
    const double magnitude = random.uniformReal(RANDOM_COORD_MIN, RANDOM_COORD_MAX);
    return random.coinFlip() ? magnitude : -magnitude;
}

void MouseControl::shakeMouseNaturalGoing() {
    const std::optional<Rect> frame = Utils::primaryFrame();
    const std::optional<Point> start = getMouseLocation();
    if (!frame || !start)
        return;
    const Point p = *start;
    const double dx = reflected(p.x, getRandomCoord(), frame->size.width);
    const double dy = reflected(p.y, getRandomCoord(), frame->size.height);
    const Point middle{p.x + 0.6 * dx, p.y + 0.35 * dy};
    const Point end{p.x + dx, p.y + dy};

    moveCursorJittered(p, middle, 0.3);
    bool interrupted = false;
    moveCursorStepped(2, getMouseLocation().value_or(middle), middle, interrupted);
    if (interrupted)
        return;
    sleepMicroseconds(350000);
    moveCursorJittered(middle, end, 0.2);
    bool ignored = false;
    moveCursorStepped(2, getMouseLocation().value_or(end), end, ignored);
}

void MouseControl::shakeMouseNaturalReturningTo(Point target) {
    const std::optional<Rect> frame = Utils::primaryFrame();
    const std::optional<Point> start = getMouseLocation();
    if (!frame || !start)
        return;
    const Point p = *start;
    const double sx = p.x < target.x ? 1 : -1;
    const double sy = p.y < target.y ? 1 : -1;
    const Point overshoot{std::clamp(target.x + 45 * sx, 0.0, frame->size.width),
                          std::clamp(target.y + 60 * sy, 0.0, frame->size.height)};
    const Point settle{target.x + 5 * sx, target.y + 20 * sy};

    moveCursorJittered(p, overshoot, 0.3);
    sleepMicroseconds(250000);
    moveCursorJittered(overshoot, settle, 0.2);
    sleepMicroseconds(270000);
    bool ignored = false;
    moveCursorStepped(20, settle, target, ignored);
    moveMouseToPoint(target);
}

void MouseControl::shakeMouseSmooth() {
    const std::optional<Rect> frame = Utils::primaryFrame();
    const std::optional<Point> start = getMouseLocation();
    if (!frame || !start)
        return;
    const Point p = *start;
    const double dx = reflected(p.x, getRandomCoord(), frame->size.width);
    const double dy = reflected(p.y, getRandomCoord(), frame->size.height);
    const Point end{p.x + dx, p.y + dy};

    bool interrupted = false;
    moveCursorStepped(120, p, end, interrupted);
    if (interrupted)
        return;
    moveCursorStepped(100, end, p, interrupted);
    if (interrupted)
        return;
    moveMouseToPoint(p);
}

void MouseControl::click(MouseEventType down, MouseEventType up, int button, Point point) {
    const std::optional<MouseEvent> downEvent = events().createMouseEvent(down, point, button);
    const std::optional<MouseEvent> upEvent = events().createMouseEvent(up, point, button);
    if (downEvent)
        events().post(*downEvent);
    sleepMicroseconds(BUTTON_PAUSE_US);
    if (upEvent)
        events().post(*upEvent);
}

void MouseControl::clickMouseLeftWithPosition(Point point) {
    click(MouseEventType::LeftDown, MouseEventType::LeftUp, 0, point);
}

void MouseControl::clickMouseRightWithPosition(Point point) {
    click(MouseEventType::RightDown, MouseEventType::RightUp, 1, point);
}

void MouseControl::postScroll(std::int32_t value, Point point) {
    if (const std::optional<ScrollEvent> event = events().createScrollEvent(value, point))
        events().post(*event);
}

void MouseControl::simulateScrollAt(Point point, double deltaY, std::int64_t scrollLines) {
    postScroll(toInt32(static_cast<double>(scrollLines) * deltaY), point);
}

bool MouseControl::scrollAtPointerThenPause(std::int32_t value, std::uint32_t pauseMicroseconds) {
    if (const std::optional<Point> location = getMouseLocation())
        postScroll(value, *location);
    sleepMicroseconds(pauseMicroseconds);
    return !isUserInputRecent();
}

void MouseControl::simulateSmoothScrollWithDistance(double distance, double duration) {
    if (!std::isfinite(duration) || duration < 0)
        return;
    const double frames = std::min(duration * 60, double(std::numeric_limits<int>::max()));
    const int n = static_cast<int>(frames);
    if (n == 0)
        return;
    const std::int32_t value = toInt32(distance / n);
    for (int i = 0; i < n; ++i)
        if (!scrollAtPointerThenPause(value, FRAME_PAUSE_US))
            return;
}

void MouseControl::simulateNaturalScrollWithDistance(double distance) {
    const double base = std::abs(distance) * 0.1;
    const double sign = distance > 0 ? 1 : -1;
    const double ramp = NATURAL_SCROLL_RAMP_EVENTS;
    for (int i = 0; i < NATURAL_SCROLL_RAMP_EVENTS; ++i)
        if (!scrollAtPointerThenPause(toInt32(sign * base * (i / ramp) * 3),
                                      NATURAL_SCROLL_PAUSE_US))
            return;
    for (int i = 0; i < NATURAL_SCROLL_PLATEAU_EVENTS; ++i)
        if (!scrollAtPointerThenPause(toInt32(sign * base * 3), NATURAL_SCROLL_PAUSE_US))
            return;
    for (int i = NATURAL_SCROLL_RAMP_EVENTS; i >= 1; --i)
        if (!scrollAtPointerThenPause(toInt32(sign * base * (i / ramp) * 3),
                                      NATURAL_SCROLL_PAUSE_US))
            return;
}

void MouseControl::postMouseMovedInPlace() {
    const std::optional<Point> location = getMouseLocation();
    if (!location)
        return;
    events().postMouseMovedNudge({std::trunc(location->x), std::trunc(location->y)});
}

} // namespace wigglet
