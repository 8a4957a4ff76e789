#include "platform/linux/dbus/RemoteDesktopPortal.h"

#include "support/EventLoop.h"
#include "support/PortalTestBus.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace wigglet::desktop;
using namespace wigglet::testing;
using State = RemoteDesktopPortal::State;
using Notification = FakeRemoteDesktopPortal::Notification;

namespace {

class RemoteDesktopPortalTest : public wigglet::testing::PortalTestBus {
  protected:
    std::unique_ptr<RemoteDesktopPortal> startSession() {
        client_ = connectClient();
        auto portal = std::make_unique<RemoteDesktopPortal>(client_, token());
        portal->start();
        EXPECT_TRUE(runUntil([&] { return portal->state() == State::started; }));
        return portal;
    }
    QVariantMap options(FakeRemoteDesktopPortal& fake, std::size_t index) {
        const auto calls = fake.calls();
        return index < calls.size() ? calls[index].options : QVariantMap();
    }

    QDBusConnection client_{QString()};
};

// SelectDevices asks for keyboard and pointer, and a version 2 portal to persist the consent.
TEST_F(RemoteDesktopPortalTest, TheRestoreTokenIsKeptOwnerOnlyAndSentBackByTheNextRun) {
    FakeRemoteDesktopPortal& fake = startPortal();
    fake.answerStartWith(0, "first");
    startSession().reset();
    ASSERT_EQ(fake.calls()[1].method, "SelectDevices");
    EXPECT_EQ(options(fake, 1).value("types"), QVariant(3u));
    EXPECT_EQ(options(fake, 1).value("persist_mode"), QVariant(2u));
    EXPECT_FALSE(options(fake, 1).contains("restore_token"));
    EXPECT_EQ(std::filesystem::status(token().path()).permissions(), std::filesystem::perms(0600));
    EXPECT_EQ(token().read(), "first");

    fake.answerStartWith(0, "second");
    const auto next = startSession();
    EXPECT_EQ(options(fake, 4).value("restore_token"), QVariant(QStringLiteral("first")));
    EXPECT_EQ(token().read(), "second") << "each token is used once";
}

TEST_F(RemoteDesktopPortalTest, AVersion1PortalIsNeitherAskedToPersistNorGivenAToken) {
    FakeRemoteDesktopPortal& fake = startPortal(1);
    ASSERT_TRUE(token().write("kept"));
    const auto portal = startSession();
    EXPECT_EQ(options(fake, 1).value("types"), QVariant(3u));
    EXPECT_FALSE(options(fake, 1).contains("persist_mode"));
    EXPECT_FALSE(options(fake, 1).contains("restore_token"));
}

TEST_F(RemoteDesktopPortalTest, ARefusalIsSaidOnceAndNothingMoreIsAskedInThisRun) {
    FakeRemoteDesktopPortal& fake = startPortal();
    fake.answerStartWith(1, "");
    client_ = connectClient();
    RemoteDesktopPortal portal(client_, token());
    ::testing::internal::CaptureStderr();
    portal.start();
    const bool refused = runUntil([&] { return portal.state() == State::refused; });
    EXPECT_FALSE(portal.pointerMotion(1, 1));
    EXPECT_FALSE(portal.keyboardKeycode(30, true));
    portal.start();
    settle(client_);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(refused);
    EXPECT_EQ(fake.calls().size(), 3u);
    EXPECT_TRUE(fake.notifications().empty());
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("refused"), std::string::npos) << said;
}

TEST_F(RemoteDesktopPortalTest, AClosedSessionIsStartedAgainWithTheTokenAtTheNextInput) {
    FakeRemoteDesktopPortal& fake = startPortal();
    fake.answerStartWith(0, "first");
    const auto portal = startSession();
    fake.closeSession();
    ASSERT_TRUE(runUntil([&] { return portal->state() != State::started; }));

    EXPECT_FALSE(portal->pointerMotion(5, 5)) << "dropped while the session starts again";
    ASSERT_TRUE(runUntil([&] { return portal->state() == State::started; }));
    ASSERT_EQ(fake.calls().size(), 6u);
    EXPECT_EQ(options(fake, 4).value("restore_token"), QVariant(QStringLiteral("first")));
    EXPECT_TRUE(portal->pointerMotion(7, 8));
    settle(client_);
    EXPECT_EQ(fake.notifications(),
              (std::vector<Notification>{{"NotifyPointerMotion", {7.0, 8.0}}}));
}

TEST_F(RemoteDesktopPortalTest, InputBeforeStartIsAnsweredIsDroppedNotReplayed) {
    FakeRemoteDesktopPortal& fake = startPortal();
    fake.holdStart();
    client_ = connectClient();
    RemoteDesktopPortal portal(client_, token());
    portal.start();
    ASSERT_TRUE(runUntil([&] { return fake.calls().size() == 3; }));
    EXPECT_FALSE(portal.pointerMotion(40, 40));
    EXPECT_FALSE(portal.pointerButton(272, true));
    fake.answerHeldStart();
    ASSERT_TRUE(runUntil([&] { return portal.state() == State::started; }));
    EXPECT_TRUE(portal.pointerMotion(2, 3));
    settle(client_);
    EXPECT_EQ(fake.notifications(),
              (std::vector<Notification>{{"NotifyPointerMotion", {2.0, 3.0}}}));
    EXPECT_EQ(fake.calls().size(), 3u) << "one session only";
}

} // namespace
