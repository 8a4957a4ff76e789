#pragma once

#include "platform/UserNotificationService.h"

#include <QObject>
#include <memory>

class QDBusPendingCall;

namespace wigglet::desktop {

class SessionBus;

// Desktop notifications through org.freedesktop.Notifications. The desktop asks the user
// nothing, so permission means that a notification server answers. Every call is
// asynchronous and every completion runs on the main thread; nothing here waits for the bus.
class FreedesktopNotifications : public UserNotificationService {
  public:
    static constexpr int serverTimeoutMs = 5000;

    explicit FreedesktopNotifications(SessionBus& bus);
    ~FreedesktopNotifications() override;

    void getAuthorizationStatus(std::function<void(AuthorizationStatus)> completion) override;
    void addRequest(const NotificationRequest& request,
                    std::function<void(bool added)> completion) override;

  protected:
    void doRequestAuthorization(std::uint32_t options,
                                std::function<void(bool granted)> completion) override;

  private:
    void askServer(std::function<void(bool answered)> completion);
    void notify(const NotificationRequest& request);
    void whenFinished(const QDBusPendingCall& call, std::function<void(bool ok)> then);

    SessionBus& bus_;
    // Parent of every pending watcher and trigger timer, so none outlives the service.
    std::unique_ptr<QObject> context_;
};

} // namespace wigglet::desktop
