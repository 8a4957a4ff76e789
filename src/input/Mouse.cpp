#include "input/Mouse.h"

#include "foundation/SettingsStore.h"
#include "foundation/ShakeBroadcaster.h"
#include "input/PointText.h"
#include "input/Utils.h"
#include "platform/Platform.h"
#include "platform/Sleeper.h"
#include "platform/SystemInfo.h"

namespace wigglet {

namespace {

constexpr std::uint32_t BOTH_BUTTONS_PAUSE_US = 50000;
constexpr std::uint32_t CLICK_STEP_PAUSE_US = 60000;
constexpr Point DEFAULT_CLICK_POSITION{10, 10};

constexpr std::int64_t NATURAL_SCROLL_MIN = 20;
constexpr std::int64_t NATURAL_SCROLL_SPREAD = 12;
constexpr std::int64_t SMOOTH_SCROLL_MIN = 80;
constexpr std::int64_t SMOOTH_SCROLL_SPREAD = 40;
constexpr double SMOOTH_SCROLL_SECONDS = 0.8;

} // namespace

Mouse::Mouse() : notificationCenter(NotificationCenter::defaultCenter()) {
    interrupted_ = notificationCenter.addObserver(ShakeBroadcaster::interruptedName,
                                                  [this](const Notification&) { shakeStopped(); });
    interruptedByUser_ = notificationCenter.addObserver(
        ShakeBroadcaster::interruptedByUserName, [this](const Notification&) { shakeStopped(); });
}

void Mouse::shakeStopped() {
    nextMoveStatus = MoveStatus::STOPPED;
}

std::optional<Point> Mouse::clickTarget() {
    if (!SettingsStore::shared().boolForKey(SettingsKey::shakeClickCustomPosition))
        return mouseControl.getMouseLocation();
    // Stored by the Click pane already in global display coordinates.
    const std::optional<std::string> stored =
        SettingsStore::shared().stringForKey(SettingsKey::shakeClickPosition);
    if (!stored)
        return DEFAULT_CLICK_POSITION;
    return PointText::parse(*stored);
}

void Mouse::shakeClick() {
    if (!SettingsStore::shared().boolForKey(SettingsKey::clickEnabled))
        return;
    // The natural cycle has left the pointer away from where the user had it.
    if (nextMoveStatus == MoveStatus::RETURNING)
        return;
    const std::optional<Point> target = clickTarget();
    const std::optional<ClickButton> button = SettingsStore::shared().clickButton();
    if (!button)
        Platform::current().system().log(
            LogLevel::Error, "ERROR: couldn't figure out which button should be clicked");
    else if (target && *button == ClickButton::left)
        mouseControl.clickMouseLeftWithPosition(*target);
    else if (target && *button == ClickButton::right)
        mouseControl.clickMouseRightWithPosition(*target);
    else if (target) {
        mouseControl.clickMouseLeftWithPosition(*target);
        Platform::current().sleeper().sleepMicroseconds(BOTH_BUTTONS_PAUSE_US);
        mouseControl.clickMouseRightWithPosition(*target);
    }
    Platform::current().sleeper().sleepMicroseconds(CLICK_STEP_PAUSE_US);
}

void Mouse::shakeMove() {
    if (!SettingsStore::shared().boolForKey(SettingsKey::moveCursorEnabled))
        return;
    if (SettingsStore::shared().shakingType() == ShakingType::natural)
        shakeMoveNatural();
    else
        mouseControl.shakeMouseSmooth();
}

void Mouse::shakeMoveNatural() {
    switch (nextMoveStatus) {
    case MoveStatus::STOPPED: {
        const std::optional<Point> start = mouseControl.getMouseLocation();
        if (!start)
            return;
        startShakePos = *start;
        mouseControl.shakeMouseNaturalGoing();
        nextMoveStatus = MoveStatus::RETURNING;
        return;
    }
    case MoveStatus::GOING:
        mouseControl.shakeMouseNaturalGoing();
        nextMoveStatus = MoveStatus::RETURNING;
        return;
    case MoveStatus::RETURNING:
        mouseControl.shakeMouseNaturalReturningTo(startShakePos);
        nextMoveStatus = MoveStatus::GOING;
        return;
    }
}

ScrollDirection Mouse::nextScrollDirection() {
    if (SettingsStore::shared().scrollType() == ScrollType::down)
        return ScrollDirection::DOWN;
    ++upDownScrollCountCycles;
    if (upDownScrollCountCycles < MAX_UP_DOWN_SCROLL_CYCLES)
        return upDownScrollDir;
    upDownScrollCountCycles = 0;
    const ScrollDirection current = upDownScrollDir;
    upDownScrollDir = current == ScrollDirection::UP ? ScrollDirection::DOWN : ScrollDirection::UP;
    return current;
}

void Mouse::shakeScroll(ScrollDirection direction) {
    switch (Platform::current().random().uniformInt(0, 4)) {
    case 0:
        shakeScrollSmooth(direction);
        Utils::randomPause({0.17, 0.19, 0.21});
        shakeScrollSmooth(direction);
        return;
    case 1:
        shakeScrollSmooth(direction);
        return;
    case 3:
        shakeScrollNatural(direction);
        Utils::randomPause({0.15, 0.16, 0.17, 0.19});
        shakeScrollSmooth(direction);
        return;
    default:
        shakeScrollNatural(direction);
        return;
    }
}

void Mouse::shakeScrollNatural(ScrollDirection direction) {
    const std::int64_t magnitude =
        NATURAL_SCROLL_MIN + Platform::current().random().uniformInt(0, NATURAL_SCROLL_SPREAD);
    mouseControl.simulateNaturalScrollWithDistance(rawValue(direction) *
                                                   static_cast<double>(magnitude));
}

void Mouse::shakeScrollSmooth(ScrollDirection direction) {
    const std::int64_t magnitude =
        SMOOTH_SCROLL_MIN + Platform::current().random().uniformInt(0, SMOOTH_SCROLL_SPREAD);
    mouseControl.simulateSmoothScrollWithDistance(
        rawValue(direction) * static_cast<double>(magnitude), SMOOTH_SCROLL_SECONDS);
}

} // namespace wigglet
