#pragma once

#include <string>

namespace wigglet {

// Asks for permission to notify, and shows one notification when permission was granted.
// Nothing is queued, retried or reported.
class NotificationManager {
  public:
    static NotificationManager& shared();

    void requestAuthorization();
    void send(const std::string& title, const std::string& body);
};

} // namespace wigglet
