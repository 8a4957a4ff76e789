#pragma once

#include "platform/linux/KeepAwakeMechanism.h"

#include <memory>

struct _XDisplay;

namespace wigglet::desktop {

// XWayland's screen saver under a Wayland session, on a connection of its own. Input sent
// through the compositor does not reach XWayland's idle count, which X programs read; the
// screen saver's reset does. XWayland may end before Wigglet does: the connection is then
// dropped, and Wigglet goes on.
class XWaylandScreenSaver final : public KeepAwakeMechanism {
  public:
    // Absent when $DISPLAY cannot be opened or lacks the MIT-SCREEN-SAVER extension.
    static std::unique_ptr<XWaylandScreenSaver> open();
    ~XWaylandScreenSaver() override;
    XWaylandScreenSaver(const XWaylandScreenSaver&) = delete;
    XWaylandScreenSaver& operator=(const XWaylandScreenSaver&) = delete;

    std::string description() const override { return "XWayland's screen saver"; }
    bool isAvailable() const override { return !lost_; }
    void inhibit(const std::string& application, const std::string& reason) override;
    void release() override;
    // Restarts XWayland's idle count, as input would.
    void declareActivity() override;

  private:
    explicit XWaylandScreenSaver(_XDisplay* display);
    void suspend(bool on);
    static void onLost(_XDisplay* display, void* self);

    _XDisplay* display_;
    bool lost_ = false;
};

} // namespace wigglet::desktop
