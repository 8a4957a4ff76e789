#pragma once

#include <array>

namespace wigglet::shakeChoices {

// Seconds of idleness before a shake step; the default also stands in for any stored value
// that is not above zero.
inline constexpr double defaultIdleThreshold = 2.0;
inline constexpr std::array<double, 5> idleThresholds = {2, 10, 30, 120, 900};
inline constexpr double longestIdleThreshold = idleThresholds.back();

// The timed shakes offered, in minutes.
inline constexpr std::array<int, 9> durationMinutes = {5, 10, 30, 60, 120, 240, 480, 540, 720};

} // namespace wigglet::shakeChoices
