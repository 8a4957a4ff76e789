#include "control/RemoteControl.h"

#include "app/AppDelegate.h"
#include "app/LocalClock.h"
#include "app/RuleArbiter.h"
#include "platform/Platform.h"

namespace wigglet {

RemoteControl::RemoteControl(AppDelegate& delegate, ChangeHandler onChange)
    : delegate_(delegate), onChange_(std::move(onChange)), last_(ControlState::read()) {
    delegate_.addRefreshListener([this] { refreshed(); });
}

void RemoteControl::toggle() {
    delegate_.switchIndefinitelyShake();
}

std::optional<std::string> RemoteControl::shakeFor(std::int64_t minutes) {
    if (minutes < 0 || minutes > kMaxShakeMinutes)
        return "minutes must be from 0 to " + std::to_string(kMaxShakeMinutes) + ", not " +
               std::to_string(minutes);
    delegate_.shakeForClickedWithSender(minutes);
    return std::nullopt;
}

void RemoteControl::stop() {
    delegate_.stopShakeAndUpdate();
}

std::optional<std::string> RemoteControl::shakeUntil(const std::string& timeOfDay) {
    const auto minute = LocalClock::parseTimeOfDay(timeOfDay);
    if (!minute)
        return "not a time of day (HH:MM): " + timeOfDay;
    const double now = Platform::current().runLoop().date();
    delegate_.shakeUntil(LocalClock::nextInstantOf(*minute, now));
    return std::nullopt;
}

int RemoteControl::hold(const std::string& label) {
    return delegate_.arbiter().addHold(label);
}

void RemoteControl::release(int id) {
    delegate_.arbiter().releaseHold(id);
}

void RemoteControl::refreshed() {
    const ControlState now = ControlState::read();
    const auto changed = now.changedSince(last_);
    last_ = now;
    if (!changed.empty() && onChange_)
        onChange_(now, changed);
}

} // namespace wigglet
