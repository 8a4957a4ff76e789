#include "platform/linux/dbus/RemoteDesktopPortal.h"

#include "support/EventLoop.h"
#include "support/PortalTestBus.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using wigglet::desktop::RemoteDesktopPortal;
using wigglet::testing::FakeRemoteDesktopPortal;
using wigglet::testing::runUntil;
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

struct PersistenceRow {
    const char* sentence;
    uint version;
    const char* stored;
    QVariant persistMode;
    QVariant restoreToken;
};

void PrintTo(const PersistenceRow& row, std::ostream* out) {
    *out << row.sentence;
}

class PortalPersistence : public RemoteDesktopPortalTest,
                          public ::testing::WithParamInterface<PersistenceRow> {};

TEST_P(PortalPersistence, SelectDevicesAsksForKeyboardAndPointer) {
    const auto& row = GetParam();
    FakeRemoteDesktopPortal& fake = startPortal(row.version);
    if (*row.stored) {
        ASSERT_TRUE(token().write(row.stored));
    }
    const auto portal = startSession();
    const QVariantMap selected = options(fake, 1);
    EXPECT_EQ(fake.calls()[1].method, "SelectDevices");
    EXPECT_EQ(selected.value("types"), QVariant(3u));
    EXPECT_EQ(selected.value("persist_mode"), row.persistMode);
    EXPECT_EQ(selected.value("restore_token"), row.restoreToken);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PortalPersistence,
    ::testing::Values(PersistenceRow{"AVersion2PortalIsAskedToPersistAndGivenTheStoredToken", 2,
                                     "kept", QVariant(2u), QVariant(QStringLiteral("kept"))},
                      PersistenceRow{"AVersion2PortalWithNoStoredTokenIsAskedToPersist", 2, "",
                                     QVariant(2u), QVariant()},
                      PersistenceRow{"AVersion1PortalIsNeitherAskedToPersistNorGivenAToken", 1,
                                     "kept", QVariant(), QVariant()}),
    [](const auto& info) { return std::string(info.param.sentence); });

TEST_F(RemoteDesktopPortalTest, TheRestoreTokenIsKeptOwnerOnlyAndSentBackByTheNextRun) {
    FakeRemoteDesktopPortal& fake = startPortal();
    fake.answerStartWith(0, "first");
    startSession().reset();
    struct stat info {};
    ASSERT_EQ(::stat(token().path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(token().read(), "first");

    fake.answerStartWith(0, "second");
    const auto next = startSession();
    EXPECT_EQ(options(fake, 4).value("restore_token"), QVariant(QStringLiteral("first")));
    EXPECT_EQ(token().read(), "second") << "each token is used once";
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
