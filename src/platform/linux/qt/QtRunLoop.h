#pragma once

#include "platform/RunLoop.h"

#include <memory>
#include <set>

class QObject;

namespace wigglet::desktop {

class QtTimer;

// The main thread's Qt event loop as Wigglet's run loop. Like the system run loop it keeps a
// scheduled timer alive until it is invalidated or, for a one-shot timer, has fired, whether or
// not the caller keeps a reference. Qt timers also fire in the nested loop of an open menu.
class QtRunLoop : public RunLoop {
  public:
    QtRunLoop();
    ~QtRunLoop() override;

    double now() const override;
    double date() override;
    std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats,
                                         std::function<void()> callback) override;
    void dispatchAsync(std::function<void()> work) override;

  private:
    std::set<std::shared_ptr<QtTimer>> scheduled_;
    std::unique_ptr<QObject> context_;
};

} // namespace wigglet::desktop
