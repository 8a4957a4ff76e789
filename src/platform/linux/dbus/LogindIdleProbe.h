#pragma once

#include "platform/linux/IdleProbe.h"

#include <QDBusConnection>

namespace wigglet::desktop {

// logind's IdleHint for the session, which session managers read: idle since IdleSinceHint,
// or not idle. The desktop sets it after its own timeout, so a session can be idle long
// before logind says so.
class LogindIdleProbe final : public IdleProbe {
  public:
    explicit LogindIdleProbe(QDBusConnection systemBus);

    std::string name() const override { return "logind's IdleHint"; }
    std::string readers() const override { return "session managers and power daemons"; }
    std::optional<double> idleSeconds(std::string& whyNot) override;

  private:
    QDBusConnection bus_;
};

} // namespace wigglet::desktop
