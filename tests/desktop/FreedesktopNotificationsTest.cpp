#include "platform/linux/dbus/FreedesktopNotifications.h"

#include "platform/linux/dbus/SessionBus.h"
#include "platform/linux/qt/QtRunLoop.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeNotificationServer.h"
#include "support/PrivateBus.h"
#include "support/TracedPlatform.h"

#include <gtest/gtest.h>
#include <optional>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

NotificationRequest request(const std::string& id, const std::string& title,
                            const std::string& body, double trigger = 0) {
    return {.identifier = id, .title = title, .body = body, .triggerSeconds = trigger};
}

class FreedesktopNotificationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        if (!bus_)
            GTEST_SKIP() << whyNot;
        session_ = std::make_unique<SessionBus>(bus_->connect(QStringLiteral("wigglet")));
        notifications_ = std::make_unique<FreedesktopNotifications>(*session_);
        PlatformServices services;
        services.runLoop = &runLoop_;
        services.notifications = notifications_.get();
        platform_ = std::make_unique<TracedPlatform>(services);
    }
    FakeNotificationServer& startServer() {
        auto server = std::make_unique<FakeNotificationServer>();
        FakeNotificationServer& ref = *server;
        peer_ = std::make_unique<BusPeer>(*bus_, QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          std::move(server));
        EXPECT_TRUE(peer_->isRegistered());
        return ref;
    }
    std::optional<AuthorizationStatus> status() {
        std::optional<AuthorizationStatus> status;
        notifications_->getAuthorizationStatus([&](AuthorizationStatus s) { status = s; });
        EXPECT_TRUE(runUntil([&] { return status.has_value(); }));
        return status;
    }
    std::optional<bool> requestAuthorization() {
        std::optional<bool> granted;
        notifications_->requestAuthorization(7, [&](bool g) { granted = g; });
        EXPECT_TRUE(runUntil([&] { return granted.has_value(); }));
        return granted;
    }

    QtRunLoop runLoop_;
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> peer_;
    std::unique_ptr<SessionBus> session_;
    std::unique_ptr<FreedesktopNotifications> notifications_;
    std::unique_ptr<TracedPlatform> platform_;
};

TEST_F(FreedesktopNotificationsTest, WithAServerPermissionIsGrantedAndRequestsAreShownAndTraced) {
    FakeNotificationServer& server = startServer();
    EXPECT_EQ(status(), AuthorizationStatus::Authorized);
    EXPECT_EQ(requestAuthorization(), true);
    EXPECT_EQ(platform_->lines("notify-auth").size(), 1u);
    std::optional<bool> added;
    notifications_->addRequest(request("A1", "Time is up!", "Wigglet stopped"),
                               [&](bool ok) { added = ok; });
    EXPECT_EQ(added, true);
    notifications_->addRequest({"Q", "Quiet", "No sound", false}, [](bool) {});
    ASSERT_TRUE(runUntil([&] { return platform_->lines("notify").size() == 2; }));

    ASSERT_EQ(server.shown().size(), 2u);
    const auto shown = server.shown()[0];
    EXPECT_EQ(shown.appName, "Wigglet");
    EXPECT_EQ(shown.summary, "Time is up!");
    EXPECT_EQ(shown.body, "Wigglet stopped");
    EXPECT_EQ(shown.hints.value("desktop-entry").toString(), "org.wigglet.Wigglet");
    EXPECT_TRUE(shown.hints.contains("sound-name"));
    EXPECT_FALSE(server.shown()[1].hints.contains("sound-name")) << "a request without sound";
    const auto line = platform_->lines("notify")[0];
    EXPECT_EQ(line["id"], "A1");
    EXPECT_EQ(line["title"], "Time is up!");
    EXPECT_EQ(line["body"], "Wigglet stopped");

    // A request waits for its trigger.
    const double requested = runLoop_.now();
    notifications_->addRequest(request("T", "Later", "After the trigger", 0.3), [](bool) {});
    ASSERT_TRUE(runUntil([&] { return server.shown().size() == 3; }));
    EXPECT_GE(runLoop_.now() - requested, 0.3);
}

TEST_F(FreedesktopNotificationsTest, RequestThatNoServerShowsIsNotTraced) {
    std::optional<bool> added;
    notifications_->addRequest(request("N", "Nobody", "listens"), [&](bool ok) { added = ok; });
    EXPECT_EQ(added, true);
    // The trigger has passed and the call has gone out once a later timer has fired; the
    // answer to a question asked after it comes after the answer to the call.
    bool later = false;
    runLoop_.scheduleTimer(0.05, false, [&] { later = true; });
    ASSERT_TRUE(runUntil([&] { return later; }));
    EXPECT_EQ(status(), AuthorizationStatus::Denied);
    EXPECT_EQ(requestAuthorization(), false);
    EXPECT_TRUE(platform_->lines("notify").empty());

    FakeNotificationServer& server = startServer();
    notifications_->addRequest(request("S", "Somebody", "listens"), [](bool) {});
    ASSERT_TRUE(runUntil([&] { return platform_->lines("notify").size() == 1; }));
    EXPECT_EQ(platform_->lines("notify")[0]["id"], "S");
    EXPECT_EQ(server.shown().size(), 1u);
}

TEST(FreedesktopNotificationsWithoutBus, NothingIsAddedAndPermissionIsDenied) {
    SessionBus none(QDBusConnection(QStringLiteral("none")));
    FreedesktopNotifications notifications(none);
    std::optional<bool> added;
    notifications.addRequest(request("X", "t", "b"), [&](bool ok) { added = ok; });
    EXPECT_EQ(added, false);
    std::optional<AuthorizationStatus> status;
    notifications.getAuthorizationStatus([&](AuthorizationStatus s) { status = s; });
    ASSERT_TRUE(runUntil([&] { return status.has_value(); }));
    EXPECT_EQ(status, AuthorizationStatus::Denied);
}

} // namespace
