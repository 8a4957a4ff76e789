#pragma once

#include "platform/linux/KeepAwakeMechanism.h"

#include <memory>

namespace wigglet::desktop {

class XConnection;

// The X server's screen saver and DPMS timers, through the MIT-SCREEN-SAVER extension.
class XServerScreenSaver : public KeepAwakeMechanism {
  public:
    // Absent when the server lacks the extension.
    static std::unique_ptr<XServerScreenSaver> open(XConnection& connection);
    ~XServerScreenSaver() override;

    std::string description() const override { return "X server screen saver and DPMS"; }
    bool isAvailable() const override { return true; }
    void inhibit(const std::string& application, const std::string& reason) override;
    void release() override;
    // Restarts the server's idle count, as input would.
    void declareActivity() override;

  private:
    explicit XServerScreenSaver(XConnection& connection) : connection_(connection) {}
    void suspend(bool on);

    XConnection& connection_;
    bool suspended_ = false;
};

} // namespace wigglet::desktop
