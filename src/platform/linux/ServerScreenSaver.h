#pragma once

namespace wigglet::desktop {

// The display server's own screen saver and power-saving timers, where the session has a
// server that keeps them (the X server). The session bus's services are left to others.
class ServerScreenSaver {
  public:
    virtual ~ServerScreenSaver() = default;
    // Counted per client by the server: each true needs its false.
    virtual void suspend(bool on) = 0;
    // Restarts the server's idle count, as input would.
    virtual void reset() = 0;
};

} // namespace wigglet::desktop
