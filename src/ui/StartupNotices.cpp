#include "ui/StartupNotices.h"

#include "app/NotificationManager.h"
#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"

#include <cstdio>

namespace wigglet {

void StartupNotices::tell(SettingsStore& store) {
    if (const auto& aside = store.movedAsideTo()) {
        const std::string body = Localizer::shared().format(
            "notification-settings-set-aside-description", {aside->string()});
        std::fprintf(stderr, "wigglet: %s\n", body.c_str());
        NotificationManager::shared().send(localized("notification-settings-set-aside-title"),
                                           body);
    }
    if (store.boolForKey(SettingsKey::shakeEnabled) &&
        store.integerForKey(SettingsKey::lastDurationSelected) == 0)
        NotificationManager::shared().send(localized("notification-shaking-resumed-title"),
                                           localized("notification-shaking-resumed-description"));
}

} // namespace wigglet
