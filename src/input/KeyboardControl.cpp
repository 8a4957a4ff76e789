#include "input/KeyboardControl.h"

#include "platform/EventSource.h"
#include "platform/Platform.h"
#include "platform/Sleeper.h"

#include <optional>

namespace wigglet {

KeyboardControl& KeyboardControl::shared() {
    return Platform::current().shared<KeyboardControl>();
}

void KeyboardControl::nextTab() {
    sendKeyCombination(RIGHT_BRACKET_KEY, {ModifierFlag::command, ModifierFlag::shift});
}

void KeyboardControl::previousTab() {
    sendKeyCombination(LEFT_BRACKET_KEY, {ModifierFlag::command, ModifierFlag::shift});
}

void KeyboardControl::sendKeyCombination(std::uint16_t keyCode,
                                         std::initializer_list<ModifierFlag> modifiers) {
    std::uint64_t flags = 0;
    for (const ModifierFlag modifier : modifiers)
        flags |= eventFlag(modifier);

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
