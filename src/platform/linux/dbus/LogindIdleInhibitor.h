#pragma once

#include "platform/linux/KeepAwakeMechanism.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QString>
#include <memory>
#include <optional>

class QDBusServiceWatcher;

namespace wigglet::desktop {

// logind's idle inhibitor on the system bus: Inhibit("idle", ...) hands back a file
// descriptor, and the inhibitor lasts as long as that descriptor is open. Idle daemons that
// honour logind (swayidle) then stay quiet; it works in any session, with no dialog. When
// logind starts later, the hold is taken then.
class LogindIdleInhibitor : public KeepAwakeMechanism {
  public:
    static constexpr const char* service = "org.freedesktop.login1";
    // How long the Inhibit call may hold up the main loop.
    static constexpr int inhibitTimeoutMs = 1000;

    // The bus is normally the system bus; it may be unconnected.
    explicit LogindIdleInhibitor(QDBusConnection bus);
    ~LogindIdleInhibitor() override;

    std::string description() const override;
    bool isAvailable() const override;
    void inhibit(const std::string& application, const std::string& reason) override;
    void release() override;
    // logind has no notion of activity that the display's idle timers follow.
    void declareActivity() override {}

  private:
    struct Hold {
        QString application;
        QString reason;
        QDBusUnixFileDescriptor descriptor;
    };

    void takeDescriptor();

    QDBusConnection bus_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    std::optional<Hold> hold_;
};

} // namespace wigglet::desktop
