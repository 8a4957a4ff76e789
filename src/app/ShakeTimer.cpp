#include "app/ShakeTimer.h"

#include "app/AppDelegate.h"
#include "foundation/Localizer.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace wigglet {

namespace {

std::string twoDigits(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

} // namespace

ShakeTimer& ShakeTimer::shared() {
    return Platform::current().shared<ShakeTimer>();
}

void ShakeTimer::start(std::int64_t minutes) {
    endsAt_.reset();
    schedule(static_cast<double>(minutes) * 60.0);
}

void ShakeTimer::startUntil(double date) {
    endsAt_ = date;
    schedule(date - Platform::current().runLoop().date());
}

void ShakeTimer::woke() {
    if (endsAt_ && isTimed())
        schedule(*endsAt_ - Platform::current().runLoop().date());
}

void ShakeTimer::schedule(double seconds) {
    if (shakeForTimer)
        shakeForTimer->invalidate();
    shakeForTimer = Platform::current().runLoop().scheduleTimer(
        std::max(0.0, seconds), false, [] { ShakeTimer::shared().shakeForElasped(); });
}

void ShakeTimer::cancel() {
    endsAt_.reset();
    if (shakeForTimer)
        shakeForTimer->invalidate();
    shakeForTimer.reset();
}

TimeLeft ShakeTimer::timeLeft() const {
    if (!isTimed())
        return {};
    const double remaining = shakeForTimer->fireDate() - Platform::current().runLoop().date();
    const auto r = static_cast<std::int64_t>(std::trunc(remaining));
    // Integer division and remainder truncate toward zero and keep the sign.
    return {r / 3600, (r / 60) % 60, r - (r / 60) * 60};
}

std::string ShakeTimer::timeLeftString() const {
    if (!isTimed())
        return localized("indefinitely");
    return format(timeLeft(), Localizer::shared());
}

std::string ShakeTimer::format(const TimeLeft& left, const Localizer& texts) {
    if (left.hours < 1)
        return texts.format("time-left-minutes-seconds",
                            {twoDigits(left.minutes), twoDigits(left.seconds)});
    return texts.format("time-left-hours-minutes",
                        {twoDigits(left.hours), twoDigits(left.minutes)});
}

void ShakeTimer::shakeForElasped() {
    if (AppDelegate* delegate = AppDelegate::current())
        delegate->shakeForCallback();
}

} // namespace wigglet
