#pragma once

#include "platform/linux/ServerScreenSaver.h"

#include <memory>

namespace wigglet::desktop {

class XConnection;

// The X server's screen saver and DPMS timers, through the MIT-SCREEN-SAVER extension.
class XServerScreenSaver : public ServerScreenSaver {
  public:
    // Absent when the server lacks the extension.
    static std::unique_ptr<XServerScreenSaver> open(XConnection& connection);

    void suspend(bool on) override;
    void reset() override;

  private:
    explicit XServerScreenSaver(XConnection& connection) : connection_(connection) {}

    XConnection& connection_;
};

} // namespace wigglet::desktop
