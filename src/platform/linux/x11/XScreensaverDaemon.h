#pragma once

#include "platform/linux/KeepAwakeMechanism.h"

#include <optional>

namespace wigglet::desktop {

class XConnection;

// The xscreensaver daemon, which heeds no server reset and no session service: it is told
// that the user is active by its own client message, DEACTIVATE, as xscreensaver-command
// sends it, at each declared activity. Its window is looked up each time, so a daemon that
// starts later or again is found.
class XScreensaverDaemon : public KeepAwakeMechanism {
  public:
    explicit XScreensaverDaemon(XConnection& connection);

    std::string description() const override;
    bool isAvailable() const override;
    void inhibit(const std::string& application, const std::string& reason) override;
    void release() override {}
    void declareActivity() override;

  private:
    std::optional<unsigned long> daemonWindow() const;
    // False when the window is gone.
    bool send(unsigned long window);

    XConnection& connection_;
    unsigned long versionAtom_ = 0;
    unsigned long messageAtom_ = 0;
    unsigned long deactivateAtom_ = 0;
    std::optional<unsigned long> window_;
};

} // namespace wigglet::desktop
