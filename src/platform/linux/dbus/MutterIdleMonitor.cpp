#include "platform/linux/dbus/MutterIdleMonitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace wigglet::desktop {

bool MutterIdleMonitor::offeredOn(const QDBusConnection& bus) {
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(service)).value();
}

MutterIdleMonitor::MutterIdleMonitor(QDBusConnection bus, Clock now, OwnInput lastOwnInput)
    : bus_(std::move(bus)), now_(std::move(now)), lastOwnInput_(std::move(lastOwnInput)) {}

bool MutterIdleMonitor::available() const {
    return offeredOn(bus_);
}

std::optional<std::int64_t> MutterIdleMonitor::askIdleMs() {
    if (!bus_.isConnected())
        return std::nullopt;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(objectPath), QString::fromLatin1(service),
        QStringLiteral("GetIdletime"));
    const QDBusMessage reply = bus_.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qulonglong ms = reply.arguments().first().toULongLong(&ok);
    return ok ? std::optional<std::int64_t>(static_cast<std::int64_t>(ms)) : std::nullopt;
}

double MutterIdleMonitor::secondsSinceLastInput() {
    const double askedAt = now_();
    const auto idleMs = askIdleMs();
    if (!idleMs)
        return userLastInput_ ? askedAt - *userLastInput_ : 0;
    const double idle = filter_.userIdle(askedAt, *idleMs, lastOwnInput_());
    userLastInput_ = askedAt - idle;
    return idle;
}

} // namespace wigglet::desktop
