#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace wigglet {

// Every key the program keeps in the settings store, in declaration order. The raw value of a
// case is its key string.
enum class SettingsKey {
    zenEnabled,
    moveCursorEnabled,
    clickEnabled,
    scrollEnabled,
    shakeEnabled,
    timeElapsedThreshold,
    notFirstLaunch,
    shakeHotkey,
    dimLightOption,
    batteryLevelThreshold,
    stopShakingBattery,
    shakeClickButton,
    shakeClickCustomPosition,
    shakeClickPosition,
    lastDurationSelected,
    clickSwitched,
    statusIconIndex,
    shakingTypeIndex,
    switchTabsEnabled,
    scrollTypeIndex,
    scrollTabType,
    tabScrollTopEnabled,
    shakeWhileLocked,
    rules,
    resumeOnMains,
};

inline constexpr std::array<std::string_view, 25> kSettingsKeyNames = {
    "zenEnabled",
    "moveCursorEnabled",
    "clickEnabled",
    "scrollEnabled",
    "shakeEnabled",
    "timeElapsedThreshold",
    "notFirstLaunch",
    "shakeHotkey",
    "dimLightOption",
    "batteryLevelThreshold",
    "stopShakingBattery",
    "shakeClickButton",
    "shakeClickCustomPosition",
    "shakeClickPosition",
    "lastDurationSelected",
    "clickSwitched",
    "statusIconIndex",
    "shakingTypeIndex",
    "switchTabsEnabled",
    "scrollTypeIndex",
    "scrollTabType",
    "tabScrollTopEnabled",
    "shakeWhileLocked",
    "rules",
    "resumeOnMains",
};

constexpr std::string_view rawValue(SettingsKey key) {
    return kSettingsKeyNames[static_cast<std::size_t>(key)];
}

constexpr std::optional<SettingsKey> settingsKeyFromRawValue(std::string_view raw) {
    for (std::size_t i = 0; i < kSettingsKeyNames.size(); ++i)
        if (kSettingsKeyNames[i] == raw)
            return static_cast<SettingsKey>(i);
    return std::nullopt;
}

} // namespace wigglet
