#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wigglet {

enum class AuthorizationStatus { NotDetermined = 0, Denied = 1, Authorized = 2 };

struct NotificationRequest {
    std::string identifier;
    std::string title;
    std::string body;
    bool defaultSound = true;
    double triggerSeconds = 1.0;
    bool repeats = false;
};

// Desktop notifications. Completion handlers may run on any thread the platform chooses.
class UserNotificationService {
  public:
    virtual ~UserNotificationService() = default;

    void requestAuthorization(std::uint32_t options, std::function<void(bool granted)> completion);
    virtual void getAuthorizationStatus(std::function<void(AuthorizationStatus)> completion) = 0;
    // The notification is shown after its trigger; a platform traces it when it is shown.
    virtual void addRequest(const NotificationRequest& request,
                            std::function<void(bool added)> completion) = 0;

  protected:
    virtual void doRequestAuthorization(std::uint32_t options,
                                        std::function<void(bool granted)> completion) = 0;
    // For implementations: the trace line of a notification that is now on screen.
    static void traceShown(const NotificationRequest& request);
};

} // namespace wigglet
