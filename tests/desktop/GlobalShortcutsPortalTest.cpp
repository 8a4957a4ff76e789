#include "platform/linux/dbus/GlobalShortcutsPortal.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeGlobalShortcutsPortal.h"
#include "support/PrivateBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <gtest/gtest.h>
#include <vector>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr std::uint32_t altSuper = carbonModifier::optionKey | carbonModifier::cmdKey;

} // namespace

// A private session bus, a fake portal on it, and the portal service as Wigglet's client.
class GlobalShortcutsPortalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        ASSERT_TRUE(bus_) << whyNot;
        client_ = bus_->connect(QStringLiteral("shortcut client"));
    }
    FakeGlobalShortcutsPortal& startPortal() {
        auto fake = std::make_unique<FakeGlobalShortcutsPortal>();
        FakeGlobalShortcutsPortal& ref = *fake;
        peer_ = std::make_unique<BusPeer>(*bus_, GlobalShortcutsPortal::service,
                                          GlobalShortcutsPortal::objectPath, std::move(fake),
                                          QDBusConnection::ExportAllSlots |
                                              QDBusConnection::ExportAllProperties);
        EXPECT_TRUE(peer_->isRegistered());
        return ref;
    }
    // Each press and release that reaches the handler, as +id and -id.
    std::vector<int> events_;
    std::unique_ptr<GlobalShortcutsPortal> portal() {
        auto portal = std::make_unique<GlobalShortcutsPortal>(client_);
        portal->installHandler([this](const HotKeyEvent* event) {
            const int id = static_cast<int>(event->hotKeyID.id);
            events_.push_back(event->kind == kEventHotKeyPressed ? id : -id);
            return noErr;
        });
        return portal;
    }
    void press(FakeGlobalShortcutsPortal& fake, const QString& session, const QString& id) {
        fake.signal(true, session, id);
        fake.signal(false, session, id);
    }
    // Returns once every signal the portal sent before has been handled: the portal's
    // messages arrive in order, and its answer to this call comes after them.
    void settle() {
        QDBusMessage get = QDBusMessage::createMethodCall(
            GlobalShortcutsPortal::service, GlobalShortcutsPortal::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QString(GlobalShortcutsPortal::interface) << QStringLiteral("version");
        EXPECT_EQ(client_.call(get).type(), QDBusMessage::ReplyMessage);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> peer_;
    QDBusConnection client_{QString()};
};

TEST_F(GlobalShortcutsPortalTest, IsOfferedOnlyWhereThePortalHasTheInterface) {
    EXPECT_FALSE(GlobalShortcutsPortal::offeredOn(client_));
    startPortal();
    EXPECT_TRUE(GlobalShortcutsPortal::offeredOn(client_));
}

TEST_F(GlobalShortcutsPortalTest, BindsTheKeysAndDeliversOnlyItsOwnSessionsShortcut) {
    FakeGlobalShortcutsPortal& fake = startPortal();
    const auto shortcuts = portal();
    ASSERT_EQ(shortcuts->registerHotKey(virtualKey::ansiS, altSuper, {1, 7}), noErr);
    ASSERT_TRUE(runUntil([&] { return shortcuts->isBound(); }));
    const auto first = fake.bound();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].id, "toggle");
    EXPECT_EQ(first[0].trigger, "ALT+LOGO+s");
    EXPECT_FALSE(first[0].description.isEmpty());

    press(fake, first[0].session, "toggle");
    settle();
    EXPECT_EQ(events_, (std::vector<int>{7, -7}));

    // New keys bind on a new session; the old session and the old identifier are done with.
    ASSERT_EQ(shortcuts->registerHotKey(
                  virtualKey::f5, carbonModifier::controlKey | carbonModifier::shiftKey, {1, 8}),
              noErr);
    shortcuts->unregisterHotKey({1, 7});
    ASSERT_TRUE(runUntil([&] { return shortcuts->isBound(); }));
    const auto second = fake.bound();
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].trigger, "CTRL+SHIFT+F5");
    EXPECT_NE(second[1].session, first[0].session);
    events_.clear();
    press(fake, first[0].session, "toggle");
    press(fake, second[1].session, "other");
    press(fake, second[1].session, "toggle");
    settle();
    EXPECT_EQ(events_, (std::vector<int>{8, -8}));

    shortcuts->unregisterHotKey({1, 8});
    events_.clear();
    press(fake, second[1].session, "toggle");
    settle();
    EXPECT_TRUE(events_.empty());
}

TEST_F(GlobalShortcutsPortalTest, AKeyWithoutANameIsRefusedWithoutAskingTheDesktop) {
    FakeGlobalShortcutsPortal& fake = startPortal();
    const auto shortcuts = portal();
    EXPECT_EQ(shortcuts->registerHotKey(virtualKey::keypadClear, altSuper, {1, 9}),
              GlobalShortcutsPortal::refused);
    EXPECT_TRUE(fake.bound().empty());
}
