#include "app/NotificationManager.h"

#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "platform/UserNotificationService.h"

namespace wigglet {

NotificationManager& NotificationManager::shared() {
    return Platform::current().shared<NotificationManager>();
}

bool NotificationManager::serviceAvailable() {
    return Platform::current().system().operatingSystemVersion().atLeast(10, 14);
}

void NotificationManager::requestAuthorization() {
    if (!serviceAvailable())
        return;
    Platform::current().notifications().requestAuthorization(kAuthorizationOptions, [](bool) {});
}

void NotificationManager::send(const std::string& title, const std::string& body) {
    if (!serviceAvailable())
        return;
    UserNotificationService* service = &Platform::current().notifications();
    // The identifier is drawn here, on the main thread: the completion may run on any thread,
    // and the random source is not shared across threads.
    NotificationRequest request;
    request.identifier = Platform::current().random().uuid();
    request.title = title;
    request.body = body;
    request.defaultSound = true;
    request.triggerSeconds = kTriggerSeconds;
    request.repeats = false;
    service->getAuthorizationStatus([service, request](AuthorizationStatus status) {
        if (status != AuthorizationStatus::Authorized)
            return;
        service->addRequest(request, [](bool) {});
    });
}

} // namespace wigglet
