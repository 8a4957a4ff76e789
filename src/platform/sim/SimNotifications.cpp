#include "platform/sim/SimNotifications.h"

#include "platform/sim/SimRunLoop.h"

namespace wigglet::sim {

AuthorizationStatus SimNotifications::status() const {
    switch (permission_) {
    case Permission::Granted:
        return AuthorizationStatus::Authorized;
    case Permission::Denied:
        return AuthorizationStatus::Denied;
    case Permission::AskGrant:
        return asked_ ? AuthorizationStatus::Authorized : AuthorizationStatus::NotDetermined;
    case Permission::AskDeny:
        return asked_ ? AuthorizationStatus::Denied : AuthorizationStatus::NotDetermined;
    }
    return AuthorizationStatus::NotDetermined;
}

void SimNotifications::doRequestAuthorization(std::uint32_t,
                                              std::function<void(bool granted)> completion) {
    asked_ = true;
    const bool granted = status() == AuthorizationStatus::Authorized;
    if (completion)
        runLoop_.dispatchAsync([completion, granted] { completion(granted); });
}

void SimNotifications::getAuthorizationStatus(std::function<void(AuthorizationStatus)> completion) {
    const AuthorizationStatus current = status();
    runLoop_.dispatchAsync([completion, current] { completion(current); });
}

void SimNotifications::addRequest(const NotificationRequest& request,
                                  std::function<void(bool added)> completion) {
    // The system shows it once its trigger has passed, even if the program has ended.
    const auto showAt = static_cast<std::int64_t>((runLoop_.now() + request.triggerSeconds) * 1e6);
    runLoop_.scheduleOutside(showAt, SimRunLoop::Arrival::EvenWhileBlocked,
                             [request] { traceShown(request); });
    if (completion)
        runLoop_.dispatchAsync([completion] { completion(true); });
}

} // namespace wigglet::sim
