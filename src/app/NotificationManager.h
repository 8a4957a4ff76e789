#pragma once

#include <cstdint>
#include <string>

namespace wigglet {

// Asks for permission to notify, and shows one notification when permission was granted.
// Nothing is queued, retried or reported; the caller never learns whether the user saw it.
class NotificationManager {
  public:
    // Alert, sound and badge.
    static constexpr std::uint32_t kAuthorizationOptions = 7;
    static constexpr double kTriggerSeconds = 1.0;

    static NotificationManager& shared();

    void requestAuthorization();
    void send(const std::string& title, const std::string& body);

  private:
    static bool serviceAvailable();
};

} // namespace wigglet
