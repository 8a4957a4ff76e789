#pragma once

#include "TemporaryFolder.h"
#include "platform/linux/dbus/PortalRestoreToken.h"
#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "support/BusPeer.h"
#include "support/FakeRemoteDesktopPortal.h"
#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <gtest/gtest.h>
#include <memory>

namespace wigglet::testing {

// A private session bus with a fake desktop portal on it, and a folder for the restore token.
class PortalTestBus : public ::testing::Test {
  protected:
    using Portal = desktop::RemoteDesktopPortal;

    void SetUp() override {
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        ASSERT_TRUE(bus_) << whyNot;
    }
    FakeRemoteDesktopPortal& startPortal(uint version = 2) {
        auto fake = std::make_unique<FakeRemoteDesktopPortal>(version);
        FakeRemoteDesktopPortal& ref = *fake;
        peer_ = std::make_unique<BusPeer>(*bus_, QString::fromLatin1(Portal::service),
                                          QString::fromLatin1(Portal::objectPath), std::move(fake),
                                          QDBusConnection::ExportAllSlots |
                                              QDBusConnection::ExportAllProperties);
        EXPECT_TRUE(peer_->isRegistered());
        return ref;
    }
    // A new client connection, as a new run of the program would have.
    QDBusConnection connectClient() {
        return bus_->connect(QStringLiteral("portal client %1").arg(++clients_));
    }
    desktop::PortalRestoreToken token() const {
        return desktop::PortalRestoreToken(folder_ / "wigglet" / "remote-desktop-token");
    }
    // Returns once the portal has handled everything the client sent before: one connection's
    // messages are handled in order.
    void settle(const QDBusConnection& client) const {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QString::fromLatin1(Portal::service), QString::fromLatin1(Portal::objectPath),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QString::fromLatin1(Portal::interface) << QStringLiteral("version");
        EXPECT_EQ(client.call(get).type(), QDBusMessage::ReplyMessage);
    }

    TemporaryFolder folder_;
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> peer_;
    int clients_ = 0;
};

} // namespace wigglet::testing
