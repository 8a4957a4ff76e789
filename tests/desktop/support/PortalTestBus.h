#pragma once

#include "TemporaryFolder.h"
#include "platform/linux/dbus/PortalRestoreToken.h"
#include "support/BusPeer.h"
#include "support/FakeRemoteDesktopPortal.h"
#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <gtest/gtest.h>
#include <memory>

namespace wigglet::testing {

// A private session bus with a fake desktop portal on it, and a folder for the restore token.
class PortalTestBus : public ::testing::Test {
  protected:
    void SetUp() override;
    FakeRemoteDesktopPortal& startPortal(uint version = 2);
    // A new client connection, as a new run of the program would have.
    QDBusConnection connectClient();
    desktop::PortalRestoreToken token() const {
        return desktop::PortalRestoreToken(folder_ / "wigglet" / "remote-desktop-token");
    }
    // Returns once the portal has handled everything the client sent before.
    void settle(const QDBusConnection& client) const;

    TemporaryFolder folder_;
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> peer_;
    int clients_ = 0;
};

} // namespace wigglet::testing
