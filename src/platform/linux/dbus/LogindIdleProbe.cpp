#include "platform/linux/dbus/LogindIdleProbe.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QDateTime>

namespace wigglet::desktop {

namespace {

constexpr int hintCallTimeoutMs = 1000;

QDBusMessage sessionProperty(QDBusConnection& bus, const char* name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.login1.Session") << QString::fromLatin1(name);
    return bus.call(get, QDBus::Block, hintCallTimeoutMs);
}

QVariant hintValueOf(const QDBusMessage& reply) {
    return qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant();
}

} // namespace

LogindIdleProbe::LogindIdleProbe(QDBusConnection systemBus) : bus_(std::move(systemBus)) {}

std::optional<double> LogindIdleProbe::idleSeconds(std::string& whyNot) {
    if (!bus_.isConnected()) {
        whyNot = "no system bus";
        return std::nullopt;
    }
    const QDBusMessage hint = sessionProperty(bus_, "IdleHint");
    if (hint.type() != QDBusMessage::ReplyMessage) {
        whyNot = "logind does not answer for this session (" +
                 hint.errorMessage().simplified().toStdString() + ")";
        return std::nullopt;
    }
    if (!hintValueOf(hint).toBool())
        return 0.0;
    const double since = hintValueOf(sessionProperty(bus_, "IdleSinceHint")).toDouble() / 1e6;
    const double now = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    return since > 0 && since < now ? now - since : 0.0;
}

} // namespace wigglet::desktop
