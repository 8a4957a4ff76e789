#pragma once

#include "platform/linux/dbus/PortalRestoreToken.h"
#include "platform/linux/dbus/RemoteInputChannel.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <cstdint>
#include <memory>

class QObject;

namespace wigglet::desktop {

class BusSignalListener;

// One session of the desktop's Remote Desktop portal: keyboard and pointer input that the
// user allows once (CreateSession, SelectDevices, Start, each answered by a Request's
// Response signal, awaited on the event loop). Where the portal can persist the consent, its
// restore token is kept in a file for the next session and the next run. A session that the
// desktop closes (at screen lock) is asked for again at the next input. A refusal stands for
// the rest of the run. Input before the session has started is dropped, not queued, so that
// a slow dialog never replays stale motion.
class RemoteDesktopPortal : public RemoteInputChannel {
  public:
    enum class State { idle, starting, started, refused };
    enum DeviceType : std::uint32_t { keyboard = 1, pointer = 2 };
    static constexpr const char* service = "org.freedesktop.portal.Desktop";
    static constexpr const char* objectPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* interface = "org.freedesktop.portal.RemoteDesktop";
    static constexpr int propertyTimeoutMs = 2000;

    // Whether the bus has the portal and it offers pointer input.
    static bool offeredOn(const QDBusConnection& bus);

    RemoteDesktopPortal(QDBusConnection bus, PortalRestoreToken token);
    ~RemoteDesktopPortal() override;
    RemoteDesktopPortal(const RemoteDesktopPortal&) = delete;
    RemoteDesktopPortal& operator=(const RemoteDesktopPortal&) = delete;

    State state() const { return state_; }
    // Asks for a session unless one is there, on its way, or was refused.
    void start();

    // Each is sent when the session has started and is otherwise dropped (and a session asked
    // for); whether it was sent.
    bool pointerMotion(double dx, double dy) override;
    bool pointerButton(std::uint32_t evdev, bool down) override;
    // Steps on the vertical axis, positive downwards.
    bool pointerAxisDiscrete(int steps) override;
    bool keyboardKeycode(std::uint32_t evdev, bool down) override;

  private:
    using Step = void (RemoteDesktopPortal::*)(const QVariantMap& results);

    void request(const QString& method, QVariantList arguments, QVariantMap options, Step next);
    void listenForResponse(const QString& path, Step next);
    void stopListening();
    void created(const QVariantMap& results);
    void devicesSelected(const QVariantMap& results);
    void sessionStarted(const QVariantMap& results);
    void fail(std::uint32_t response);
    void sessionClosed();
    void closeSession();
    bool notify(const char* member, const QVariantList& values);
    QString requestPath(const QString& token) const;

    QDBusConnection bus_;
    PortalRestoreToken token_;
    std::uint32_t version_ = 1;
    State state_ = State::idle;
    QString session_;
    QString requestPath_;
    // Replies and signals of an attempt that has ended are ignored.
    int attempt_ = 0;
    // Parent of the listeners and pending calls: they go with this object.
    std::unique_ptr<QObject> context_;
    BusSignalListener* response_ = nullptr;
    BusSignalListener* closed_ = nullptr;
};

} // namespace wigglet::desktop
