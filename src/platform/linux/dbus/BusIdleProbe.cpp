#include "platform/linux/dbus/BusIdleProbe.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace wigglet::desktop {

namespace {
constexpr int probeCallTimeoutMs = 1000;
}

BusIdleProbe::Source BusIdleProbe::mutterIdleMonitor() {
    return {"Mutter's idle monitor",
            "GNOME and its programs",
            QStringLiteral("org.gnome.Mutter.IdleMonitor"),
            QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
            QStringLiteral("org.gnome.Mutter.IdleMonitor"),
            QStringLiteral("GetIdletime"),
            0.001};
}

BusIdleProbe::Source BusIdleProbe::screenSaverIdleTime() {
    return {"org.freedesktop.ScreenSaver idle time",
            "programs that ask the session's screen saver",
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("GetSessionIdleTime"),
            1};
}

BusIdleProbe::BusIdleProbe(Source source, QDBusConnection bus)
    : source_(std::move(source)), bus_(std::move(bus)) {}

std::optional<double> BusIdleProbe::idleSeconds(std::string& whyNot) {
    if (!bus_.isConnected()) {
        whyNot = "no session bus";
        return std::nullopt;
    }
    if (!bus_.interface()->isServiceRegistered(source_.service).value()) {
        whyNot = source_.service.toStdString() + " is not on the session bus";
        return std::nullopt;
    }
    const QDBusMessage reply =
        bus_.call(QDBusMessage::createMethodCall(source_.service, source_.path, source_.interface,
                                                 source_.method),
                  QDBus::Block, probeCallTimeoutMs);
    bool number = false;
    const double count = reply.arguments().value(0).toDouble(&number);
    if (reply.type() != QDBusMessage::ReplyMessage || !number) {
        whyNot = "the service does not serve it (" +
                 reply.errorMessage().simplified().toStdString() + ")";
        return std::nullopt;
    }
    return count * source_.secondsPerUnit;
}

} // namespace wigglet::desktop
