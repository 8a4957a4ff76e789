#pragma once

#include <QDBusConnection>
#include <string>

namespace wigglet::desktop {

// One Wigglet per session: the program owns its well-known name on the session bus, or,
// without a session bus, a lock in $XDG_RUNTIME_DIR. Either goes when the process ends.
// The name is claimed only once the program can answer on it, since D-Bus activation hands
// the waiting call over the moment the name is owned.
class SingleInstance {
  public:
    explicit SingleInstance(std::string applicationId);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Another instance was found at construction.
    bool otherIsRunning() const { return otherIsRunning_; }
    // Takes the name; false when another instance took it meanwhile.
    bool claim();
    // Takes the name on a session bus that came back.
    bool claimOn(QDBusConnection bus);

  private:
    bool takeLock();

    std::string applicationId_;
    bool hasBus_ = false;
    bool otherIsRunning_ = false;
    int lockFd_ = -1;
};

} // namespace wigglet::desktop
