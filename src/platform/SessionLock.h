#pragma once

namespace wigglet {

// Whether the user's session is locked. Input sent to a lock screen only wakes it, so the
// core asks before each step.
class SessionLock {
  public:
    virtual ~SessionLock() = default;

    virtual bool isLocked() = 0;
};

} // namespace wigglet
