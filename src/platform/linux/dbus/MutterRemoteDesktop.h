#pragma once

#include "platform/linux/dbus/RemoteInputChannel.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <memory>

class QTimer;

namespace wigglet::desktop {

class BusSignalListener;

// Input through GNOME's own remote-desktop interface (org.gnome.Mutter.RemoteDesktop), which
// asks the user nothing and serves any program outside a sandbox. GNOME shows its
// remote-control indicator while a session exists, and a session costs two quick calls, so
// one is opened by the first event of a step and stopped once input has paused for
// closeAfterMs. Mutter ends the session itself at screen lock and when this connection
// closes; the next event then opens a new one.
class MutterRemoteDesktop : public RemoteInputChannel {
  public:
    static constexpr const char* service = "org.gnome.Mutter.RemoteDesktop";
    static constexpr const char* objectPath = "/org/gnome/Mutter/RemoteDesktop";
    static constexpr const char* sessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";
    static constexpr int callTimeoutMs = 1000;
    static constexpr int closeAfterMs = 1500;

    static bool offeredOn(const QDBusConnection& bus);

    explicit MutterRemoteDesktop(QDBusConnection bus);
    ~MutterRemoteDesktop() override;
    MutterRemoteDesktop(const MutterRemoteDesktop&) = delete;
    MutterRemoteDesktop& operator=(const MutterRemoteDesktop&) = delete;

    bool isOpen() const { return !session_.isEmpty(); }
    // Stops the session now, as the pause after a step does.
    void close();

    bool pointerMotion(double dx, double dy) override;
    bool pointerButton(std::uint32_t evdev, bool down) override;
    bool pointerAxisDiscrete(int steps) override;
    bool keyboardKeycode(std::uint32_t evdev, bool down) override;

  private:
    bool open();
    void forget();
    bool notify(const char* member, const QVariantList& values);

    QDBusConnection bus_;
    QString session_;
    std::unique_ptr<QTimer> closer_;
    std::unique_ptr<BusSignalListener> closed_;
};

} // namespace wigglet::desktop
