#include "control/ControlState.h"

#include "app/AppDelegate.h"
#include "app/RuleArbiter.h"
#include "app/ShakeTimer.h"
#include "foundation/SettingsStore.h"

#include <cmath>

namespace wigglet {

ControlState ControlState::read() {
    SettingsStore& store = SettingsStore::shared();
    const ShakeTimer& countdown = ShakeTimer::shared();
    ControlState state;
    state.shaking = store.boolForKey(SettingsKey::shakeEnabled);
    state.timed = countdown.isTimed();
    if (state.timed) {
        const TimeLeft left = countdown.timeLeft();
        state.secondsLeft = left.hours * 3600 + left.minutes * 60 + left.seconds;
        state.countdownEnds = countdown.shakeForTimer->fireDate();
    }
    state.lastDurationSelected = store.integerForKey(SettingsKey::lastDurationSelected);
    state.moveCursor = store.boolForKey(SettingsKey::moveCursorEnabled);
    state.click = store.boolForKey(SettingsKey::clickEnabled);
    state.scroll = store.boolForKey(SettingsKey::scrollEnabled);
    state.settingsNotSaved = store.whyNotSaved().value_or(std::string());
    if (AppDelegate* delegate = AppDelegate::current())
        if (const auto held = delegate->arbiter().holder(true)) {
            state.heldBy = held->label;
            state.heldUntil = held->until ? static_cast<std::int64_t>(*held->until) : 0;
        }
    return state;
}

bool ControlState::countdownMoved(const ControlState& earlier) const {
    if (countdownEnds.has_value() != earlier.countdownEnds.has_value())
        return true;
    // A wall-clock fire date read twice differs by the time between the reads.
    return countdownEnds && std::fabs(*countdownEnds - *earlier.countdownEnds) > 0.5;
}

std::vector<std::string> ControlState::changedSince(const ControlState& earlier) const {
    std::vector<std::string> changed;
    auto note = [&](bool differs, const char* name) {
        if (differs)
            changed.emplace_back(name);
    };
    note(shaking != earlier.shaking, "Shaking");
    note(timed != earlier.timed, "Timed");
    note(countdownMoved(earlier), "SecondsLeft");
    note(lastDurationSelected != earlier.lastDurationSelected, "LastDurationSelected");
    note(moveCursor != earlier.moveCursor, "MoveCursor");
    note(click != earlier.click, "Click");
    note(scroll != earlier.scroll, "Scroll");
    note(settingsNotSaved != earlier.settingsNotSaved, "SettingsNotSaved");
    note(heldBy != earlier.heldBy, "HeldBy");
    note(heldUntil != earlier.heldUntil, "HeldUntil");
    return changed;
}

} // namespace wigglet
