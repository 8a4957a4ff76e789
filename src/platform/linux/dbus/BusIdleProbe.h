#pragma once

#include "platform/linux/IdleProbe.h"

#include <QDBusConnection>
#include <QString>

namespace wigglet::desktop {

// An idle count that a desktop service serves by a method call: Mutter's idle monitor
// (milliseconds) or the screen saver's GetSessionIdleTime (seconds).
class BusIdleProbe final : public IdleProbe {
  public:
    struct Source {
        std::string name;
        std::string readers;
        QString service;
        QString path;
        QString interface;
        QString method;
        double secondsPerUnit = 1;
    };
    static Source mutterIdleMonitor();
    static Source screenSaverIdleTime();

    BusIdleProbe(Source source, QDBusConnection bus);

    std::string name() const override { return source_.name; }
    std::string readers() const override { return source_.readers; }
    std::optional<double> idleSeconds(std::string& whyNot) override;

  private:
    Source source_;
    QDBusConnection bus_;
};

} // namespace wigglet::desktop
