#include "platform/linux/dbus/MutterRemoteDesktop.h"

#include "platform/linux/dbus/BusSignalListener.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>

namespace wigglet::desktop {

namespace {

const char* const mutterListenerSlot = SLOT(receive(QDBusMessage));

QDBusMessage mutterSessionCall(const QString& session, const char* member) {
    return QDBusMessage::createMethodCall(
        QString::fromLatin1(MutterRemoteDesktop::service), session,
        QString::fromLatin1(MutterRemoteDesktop::sessionInterface), QString::fromLatin1(member));
}

} // namespace

bool MutterRemoteDesktop::offeredOn(const QDBusConnection& bus) {
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(service)).value();
}

MutterRemoteDesktop::MutterRemoteDesktop(QDBusConnection bus)
    : bus_(std::move(bus)), closer_(std::make_unique<QTimer>()),
      closed_(std::make_unique<BusSignalListener>([this](const QDBusMessage&) { forget(); })) {
    closer_->setSingleShot(true);
    closer_->setInterval(closeAfterMs);
    QObject::connect(closer_.get(), &QTimer::timeout, [this] { close(); });
}

MutterRemoteDesktop::~MutterRemoteDesktop() {
    close();
}

bool MutterRemoteDesktop::open() {
    if (isOpen())
        return true;
    if (!bus_.isConnected())
        return false;
    const QDBusMessage create = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(objectPath), QString::fromLatin1(service),
        QStringLiteral("CreateSession"));
    const QDBusMessage created = bus_.call(create, QDBus::Block, callTimeoutMs);
    if (created.type() != QDBusMessage::ReplyMessage || created.arguments().isEmpty())
        return false;
    const QString session = created.arguments().first().value<QDBusObjectPath>().path();
    if (session.isEmpty())
        return false;
    const QDBusMessage started =
        bus_.call(mutterSessionCall(session, "Start"), QDBus::Block, callTimeoutMs);
    if (started.type() != QDBusMessage::ReplyMessage) {
        bus_.send(mutterSessionCall(session, "Stop"));
        return false;
    }
    session_ = session;
    bus_.connect(QString::fromLatin1(service), session_, QString::fromLatin1(sessionInterface),
                 QStringLiteral("Closed"), closed_.get(), mutterListenerSlot);
    return true;
}

void MutterRemoteDesktop::close() {
    if (!isOpen())
        return;
    if (bus_.isConnected())
        bus_.send(mutterSessionCall(session_, "Stop"));
    forget();
}

void MutterRemoteDesktop::forget() {
    if (!isOpen())
        return;
    bus_.disconnect(QString::fromLatin1(service), session_, QString::fromLatin1(sessionInterface),
                    QStringLiteral("Closed"), closed_.get(), mutterListenerSlot);
    session_.clear();
    closer_->stop();
}

bool MutterRemoteDesktop::notify(const char* member, const QVariantList& values) {
    if (!open())
        return false;
    QDBusMessage call = mutterSessionCall(session_, member);
    call.setArguments(values);
    const bool sent = bus_.send(call);
    closer_->start();
    return sent;
}

bool MutterRemoteDesktop::pointerMotion(double dx, double dy) {
    return notify("NotifyPointerMotionRelative", {dx, dy});
}

bool MutterRemoteDesktop::pointerButton(std::uint32_t evdev, bool down) {
    return notify("NotifyPointerButton", {std::int32_t(evdev), down});
}

bool MutterRemoteDesktop::pointerAxisDiscrete(int steps) {
    return notify("NotifyPointerAxisDiscrete", {std::uint32_t(0), std::int32_t(steps)});
}

bool MutterRemoteDesktop::keyboardKeycode(std::uint32_t evdev, bool down) {
    return notify("NotifyKeyboardKeycode", {std::uint32_t(evdev), down});
}

} // namespace wigglet::desktop
