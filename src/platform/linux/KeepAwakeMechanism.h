#pragma once

#include <string>

namespace wigglet::desktop {

// One way a session can be told to keep the display awake: a desktop service, a screen-saver
// daemon, the display server's own timers. Held at most once at a time; a mechanism whose
// service is missing or comes later takes the hold when it can.
class KeepAwakeMechanism {
  public:
    virtual ~KeepAwakeMechanism() = default;

    // For --verbose: what this mechanism talks to, and whether it is there now.
    virtual std::string description() const = 0;
    virtual bool isAvailable() const = 0;

    virtual void inhibit(const std::string& application, const std::string& reason) = 0;
    virtual void release() = 0;
    // The user is present: blank screens wake up and the idle timers start again.
    virtual void declareActivity() = 0;
};

} // namespace wigglet::desktop
