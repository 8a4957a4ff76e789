#include "input/KeyboardControl.h"

#include "platform/EventSource.h"
#include "platform/ModifierFlags.h"
#include "platform/Platform.h"
#include "platform/Sleeper.h"
#include "platform/VirtualKeys.h"

#include <optional>

namespace wigglet {

KeyboardControl& KeyboardControl::shared() {
    return Platform::current().shared<KeyboardControl>();
}

void KeyboardControl::nextTab() {
    sendKeyCombination(virtualKey::ansiRightBracket, modifierFlag::command | modifierFlag::shift);
}

void KeyboardControl::previousTab() {
    sendKeyCombination(virtualKey::ansiLeftBracket, modifierFlag::command | modifierFlag::shift);
}

void KeyboardControl::sendKeyCombination(std::uint16_t keyCode, std::uint64_t flags) {
    EventSource& events = Platform::current().events();
    std::optional<KeyEvent> down = events.createKeyEvent(keyCode, true);
    if (down)
        down->flags = flags;
    std::optional<KeyEvent> up = events.createKeyEvent(keyCode, false);
    if (up)
        up->flags = flags;

    if (down)
        events.post(*down);
    Platform::current().sleeper().sleepMicroseconds(KEY_PAUSE_US);
    if (up)
        events.post(*up);
}

} // namespace wigglet
