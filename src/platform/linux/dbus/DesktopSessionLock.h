#pragma once

#include "platform/SessionLock.h"

#include <QDBusConnection>
#include <QString>
#include <memory>

class QDBusMessage;
class QDBusServiceWatcher;

namespace wigglet::desktop {

class BusSignalListener;
class SessionBus;

// The session counts as locked while logind's LockedHint for it is set or the desktop's
// screen saver says it is active. Both are followed by their signals (PropertiesChanged on
// the session's object, ActiveChanged), so asking costs no call. The session is the one
// logind places this process in, else its "auto" session.
class DesktopSessionLock final : public SessionLock {
  public:
    // Either bus may be unconnected; what is missing counts as unlocked.
    DesktopSessionLock(QDBusConnection systemBus, SessionBus& sessionBus);
    ~DesktopSessionLock() override;
    DesktopSessionLock(const DesktopSessionLock&) = delete;
    DesktopSessionLock& operator=(const DesktopSessionLock&) = delete;

    bool isLocked() override { return lockedHint_ || screenSaverActive_; }
    // For the doctor and --verbose: what the lock state is read from.
    QString sessionPath() const { return sessionPath_; }

  private:
    void followLogind();
    void readLockedHint();
    void onSessionProperties(const QDBusMessage& signal);
    void followScreenSaver(QDBusConnection bus);

    QDBusConnection system_;
    SessionBus& sessionBus_;
    std::unique_ptr<QDBusServiceWatcher> logindWatcher_;
    std::unique_ptr<BusSignalListener> sessionListener_;
    std::unique_ptr<BusSignalListener> screenSaverListener_;
    std::unique_ptr<BusSignalListener> activeReply_;
    QString sessionPath_;
    int rejoined_ = 0;
    bool lockedHint_ = false;
    bool screenSaverActive_ = false;
};

} // namespace wigglet::desktop
