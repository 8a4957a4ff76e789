#include "platform/linux/dbus/MutterIdleMonitor.h"

#include "platform/linux/dbus/BusSignalListener.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <algorithm>

namespace wigglet::desktop {

namespace {

const char* const idleMonitorSlot = SLOT(receive(QDBusMessage));

} // namespace

bool MutterIdleMonitor::offeredOn(const QDBusConnection& bus) {
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(service)).value();
}

MutterIdleMonitor::MutterIdleMonitor(QDBusConnection bus, Clock now, OwnInput lastOwnInput)
    : bus_(std::move(bus)), now_(std::move(now)), lastOwnInput_(std::move(lastOwnInput)),
      listener_(std::make_unique<BusSignalListener>([this](const QDBusMessage& signal) {
          if (!signal.arguments().isEmpty())
              fired(signal.arguments().first().toUInt());
      })),
      userLastInput_(now_()), busySince_(userLastInput_) {
    if (!bus_.isConnected())
        return;
    bus_.connect(QString::fromLatin1(service), QString::fromLatin1(objectPath),
                 QString::fromLatin1(service), QStringLiteral("WatchFired"), listener_.get(),
                 idleMonitorSlot);
    const double askedAt = now_();
    const QDBusMessage reply =
        bus_.call(QDBusMessage::createMethodCall(
                      QString::fromLatin1(service), QString::fromLatin1(objectPath),
                      QString::fromLatin1(service), QStringLiteral("GetIdletime")),
                  QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    const double idle = reply.arguments().first().toULongLong() / 1000.0;
    userLastInput_ = busySince_ = askedAt - idle;
    idleWatch_ = call("AddIdleWatch", {QVariant::fromValue(qulonglong(watchMs))});
    if (idle >= watchMs / 1000.0) {
        busy_ = false;
        activeWatch_ = call("AddUserActiveWatch");
    }
}

MutterIdleMonitor::~MutterIdleMonitor() {
    if (!bus_.isConnected())
        return;
    for (const auto& watch : {idleWatch_, activeWatch_})
        if (watch)
            bus_.send(QDBusMessage::createMethodCall(
                          QString::fromLatin1(service), QString::fromLatin1(objectPath),
                          QString::fromLatin1(service), QStringLiteral("RemoveWatch"))
                      << *watch);
    bus_.disconnect(QString::fromLatin1(service), QString::fromLatin1(objectPath),
                    QString::fromLatin1(service), QStringLiteral("WatchFired"), listener_.get(),
                    idleMonitorSlot);
}

std::optional<std::uint32_t> MutterIdleMonitor::call(const char* method,
                                                     const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(objectPath), QString::fromLatin1(service),
        QString::fromLatin1(method));
    message.setArguments(arguments);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().first().toUInt();
}

double MutterIdleMonitor::secondsSinceLastInput() {
    if (!available())
        return 0;
    const double now = now_();
    const double watch = watchMs / 1000.0;
    const double quietSince = std::max(busySince_, lastOwnInput_().value_or(0));
    if (busy_ && now - quietSince > watch + deliveryMargin)
        userLastInput_ = std::max(userLastInput_, now - watch);
    return now - userLastInput_;
}

void MutterIdleMonitor::fired(std::uint32_t watch) {
    if (watch == idleWatch_)
        idled();
    else if (watch == activeWatch_) {
        // Mutter drops a user-active watch once it has fired.
        activeWatch_.reset();
        resumed();
    }
}

bool MutterIdleMonitor::isOurs(double inputTime) const {
    const auto ours = lastOwnInput_();
    return ours && inputTime <= *ours + ownInputWindow && inputTime >= *ours - ownInputWindow;
}

void MutterIdleMonitor::idled() {
    // A watch set while the machine was already idle may fire at once: nothing has changed.
    if (!busy_)
        return;
    busy_ = false;
    // The last input, whoever made it, was a watch's length ago.
    const double lastInput = now_() - watchMs / 1000.0;
    if (!isOurs(lastInput))
        userLastInput_ = std::max(userLastInput_, lastInput);
    if (!activeWatch_)
        activeWatch_ = call("AddUserActiveWatch");
}

void MutterIdleMonitor::resumed() {
    const double time = now_();
    busy_ = true;
    busySince_ = time;
    if (!isOurs(time))
        userLastInput_ = time;
}

} // namespace wigglet::desktop
