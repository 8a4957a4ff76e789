#pragma once

#include "platform/linux/KeepAwakeMechanism.h"

#include <QDBusConnection>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QDBusServiceWatcher;

namespace wigglet::desktop {

class SessionBus;

// A session service with the Inhibit(s application, s reason) -> u cookie and UnInhibit(u)
// pair: the desktop's screen saver or its power manager; or GNOME's session manager, whose
// Inhibit(s application, u window, s reason, u flags) takes what to inhibit as flags. The service
// is watched by name, so one that starts (or starts again) while the hold is on receives the
// inhibit then.
class BusInhibitor : public KeepAwakeMechanism {
  public:
    struct Service {
        QString name;
        QString path;
        QString interface;
        // Called for declareActivity(); empty when the service has none.
        QString activityMethod;
        QString uninhibitMethod = QStringLiteral("UnInhibit");
        // GNOME's flags, for a session manager's Inhibit.
        std::optional<std::uint32_t> sessionFlags;
    };
    // org.freedesktop.ScreenSaver, with SimulateUserActivity.
    static Service screenSaver();
    // org.freedesktop.PowerManagement.Inhibit.
    static Service powerManagement();
    // org.gnome.SessionManager, inhibiting idle: GNOME neither blanks nor locks the screen.
    static Service gnomeSession();

    // How long an Inhibit call may hold up the main loop before the service is skipped.
    static constexpr int inhibitTimeoutMs = 1000;

    BusInhibitor(Service service, SessionBus& bus);
    ~BusInhibitor() override;

    std::string description() const override;
    bool isAvailable() const override;
    void inhibit(const std::string& application, const std::string& reason) override;
    void release() override;
    void declareActivity() override;

  private:
    struct Hold {
        QString application;
        QString reason;
        std::optional<std::uint32_t> cookie;
    };

    void watch(QDBusConnection bus);
    void onServiceAppeared();
    void takeCookie();

    Service service_;
    SessionBus& bus_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    std::optional<Hold> hold_;
    int rejoined_ = 0;
};

} // namespace wigglet::desktop
