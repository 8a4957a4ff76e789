#pragma once

#include "foundation/SettingsStore.h"

#include <cstdint>
#include <string_view>

namespace wigglet::shakingNotice {

// Whether a resident notification tells that Wigglet shakes: by default only where no tray
// shows it, or as the user chose in the preferences.
inline constexpr std::string_view settingKey = "shakingNotification";
enum class Choice : std::int64_t { FollowTray = 0, Always = 1, Never = 2 };

inline bool wanted(bool trayless) {
    const auto choice = static_cast<Choice>(SettingsStore::shared().integerForKey(settingKey));
    if (choice == Choice::Always)
        return true;
    return choice != Choice::Never && trayless;
}

inline void choose(bool shown) {
    SettingsStore::shared().setInteger(
        settingKey, static_cast<std::int64_t>(shown ? Choice::Always : Choice::Never));
}

} // namespace wigglet::shakingNotice
