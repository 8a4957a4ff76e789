#include "app/NotificationManager.h"

#include "platform/Platform.h"

namespace wigglet {

NotificationManager& NotificationManager::shared() {
    return Platform::current().shared<NotificationManager>();
}

void NotificationManager::requestAuthorization() {}

void NotificationManager::send(const std::string&, const std::string&) {}

} // namespace wigglet
