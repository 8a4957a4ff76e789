#pragma once

#include <cstdint>
#include <optional>

namespace wigglet {

// The integer settings that choose among behaviours. Each is stored as the integer shown here;
// a stored value outside the list reads as the choice noted, as it always has.

// shakingTypeIndex; anything but 1 moves smoothly.
enum class ShakingType : std::int64_t { smooth = 0, natural = 1 };
// scrollTypeIndex; anything but 0 alternates.
enum class ScrollType : std::int64_t { down = 0, upAndDown = 1 };
// shakeClickButton; anything else clicks nothing.
enum class ClickButton : std::int64_t { left = 0, right = 1, both = 2 };
// dimLightOption; anything else leaves the display alone.
enum class DimOption : std::int64_t { off = 0, toHalf = 1, fully = 2 };
// scrollTabType; anything else steps to the next tab.
enum class TabSwitchType : std::int64_t { next = 0, backAndForth = 1, forwardSeveral = 2 };

constexpr ShakingType shakingTypeFrom(std::int64_t raw) {
    return raw == 1 ? ShakingType::natural : ShakingType::smooth;
}

constexpr ScrollType scrollTypeFrom(std::int64_t raw) {
    return raw == 0 ? ScrollType::down : ScrollType::upAndDown;
}

constexpr std::optional<ClickButton> clickButtonFrom(std::int64_t raw) {
    if (raw < 0 || raw > 2)
        return std::nullopt;
    return static_cast<ClickButton>(raw);
}

constexpr DimOption dimOptionFrom(std::int64_t raw) {
    return raw == 1 || raw == 2 ? static_cast<DimOption>(raw) : DimOption::off;
}

constexpr TabSwitchType tabSwitchTypeFrom(std::int64_t raw) {
    return raw == 1 || raw == 2 ? static_cast<TabSwitchType>(raw) : TabSwitchType::next;
}

} // namespace wigglet
