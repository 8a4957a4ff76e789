#include "platform/UserNotificationService.h"

#include "platform/Platform.h"

namespace wigglet {

void UserNotificationService::requestAuthorization(std::uint32_t options,
                                                   std::function<void(bool granted)> completion) {
    recordTrace("notify-auth", {{"options", options}});
    doRequestAuthorization(options, std::move(completion));
}

void UserNotificationService::traceShown(const NotificationRequest& request) {
    recordTrace("notify",
                {{"id", request.identifier}, {"title", request.title}, {"body", request.body}});
}

} // namespace wigglet
