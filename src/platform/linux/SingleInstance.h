#pragma once

#include <string>

namespace wigglet::desktop {

// One Wigglet per session: the program owns its well-known name on the session bus, or,
// without a session bus, a lock in $XDG_RUNTIME_DIR. Either goes when the process ends.
class SingleInstance {
  public:
    explicit SingleInstance(const std::string& applicationId);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool otherIsRunning() const { return otherIsRunning_; }
    bool ownsBusName() const { return ownsBusName_; }

  private:
    bool takeLock(const std::string& applicationId);

    bool otherIsRunning_ = false;
    bool ownsBusName_ = false;
    int lockFd_ = -1;
};

} // namespace wigglet::desktop
