#pragma once

#include "platform/UserNotificationService.h"

namespace wigglet::sim {

class SimRunLoop;

// Notification permission as the scenario sets it, or the answer the user gives when asked.
// Completion handlers run later on the run loop, as a platform queue would run them.
class SimNotifications final : public UserNotificationService {
  public:
    enum class Permission { Granted, Denied, AskGrant, AskDeny };

    explicit SimNotifications(SimRunLoop& runLoop) : runLoop_(runLoop) {}
    void setPermission(Permission permission) { permission_ = permission; }

    void getAuthorizationStatus(std::function<void(AuthorizationStatus)> completion) override;
    void addRequest(const NotificationRequest& request,
                    std::function<void(bool added)> completion) override;

  protected:
    void doRequestAuthorization(std::uint32_t options,
                                std::function<void(bool granted)> completion) override;

  private:
    AuthorizationStatus status() const;

    SimRunLoop& runLoop_;
    Permission permission_ = Permission::AskGrant;
    bool asked_ = false;
};

} // namespace wigglet::sim
