#include "support/PortalTestBus.h"

#include "platform/linux/dbus/RemoteDesktopPortal.h"

#include <QDBusMessage>

namespace wigglet::testing {

using desktop::RemoteDesktopPortal;

void PortalTestBus::SetUp() {
    std::string whyNot;
    bus_ = PrivateBus::start(whyNot);
    ASSERT_TRUE(bus_) << whyNot;
}

FakeRemoteDesktopPortal& PortalTestBus::startPortal(uint version) {
    auto fake = std::make_unique<FakeRemoteDesktopPortal>(version);
    FakeRemoteDesktopPortal& ref = *fake;
    peer_ = std::make_unique<BusPeer>(
        *bus_, QString::fromLatin1(RemoteDesktopPortal::service),
        QString::fromLatin1(RemoteDesktopPortal::objectPath), std::move(fake),
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    EXPECT_TRUE(peer_->isRegistered());
    return ref;
}

QDBusConnection PortalTestBus::connectClient() {
    return bus_->connect(QStringLiteral("portal client %1").arg(++clients_));
}

void PortalTestBus::settle(const QDBusConnection& client) const {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(RemoteDesktopPortal::service),
        QString::fromLatin1(RemoteDesktopPortal::objectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(RemoteDesktopPortal::interface) << QStringLiteral("version");
    // One connection's messages are handled in order, so this answer comes after theirs.
    EXPECT_EQ(client.call(get).type(), QDBusMessage::ReplyMessage);
}

} // namespace wigglet::testing
