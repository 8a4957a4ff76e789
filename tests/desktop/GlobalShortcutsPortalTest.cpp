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

// Returns once every signal the portal sent before has been handled: the portal's messages
// arrive in order, and its answer to this call comes after them.
void settle(const QDBusConnection& client) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        GlobalShortcutsPortal::service, GlobalShortcutsPortal::objectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString(GlobalShortcutsPortal::interface) << QStringLiteral("version");
    EXPECT_EQ(client.call(get).type(), QDBusMessage::ReplyMessage);
    QCoreApplication::processEvents();
}

} // namespace

TEST(GlobalShortcutsPortal, BindsTheKeysAndDeliversOnlyItsOwnSessionsShortcut) {
    std::string whyNot;
    const auto bus = PrivateBus::start(whyNot);
    ASSERT_TRUE(bus) << whyNot;
    const QDBusConnection client = bus->connect(QStringLiteral("shortcut client"));
    EXPECT_FALSE(GlobalShortcutsPortal::offeredOn(client));
    auto* fake = new FakeGlobalShortcutsPortal;
    const BusPeer peer(*bus, GlobalShortcutsPortal::service, GlobalShortcutsPortal::objectPath,
                       std::unique_ptr<QObject>(fake),
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    ASSERT_TRUE(peer.isRegistered());
    EXPECT_TRUE(GlobalShortcutsPortal::offeredOn(client));

    GlobalShortcutsPortal shortcuts(client);
    std::vector<int> events; // each press and release, as +id and -id
    shortcuts.installHandler([&events](const HotKeyEvent* event) {
        const int id = static_cast<int>(event->hotKeyID.id);
        events.push_back(event->kind == kEventHotKeyPressed ? id : -id);
        return noErr;
    });
    EXPECT_EQ(shortcuts.registerHotKey(virtualKey::keypadClear, carbonModifier::cmdKey, {1, 6}),
              GlobalShortcutsPortal::refused)
        << "a key without a name is refused without asking the desktop";
    ASSERT_EQ(shortcuts.registerHotKey(virtualKey::ansiS,
                                       carbonModifier::optionKey | carbonModifier::cmdKey, {1, 7}),
              noErr);
    ASSERT_TRUE(runUntil([&] { return shortcuts.isBound(); }));
    const auto first = fake->bound();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].id, "toggle");
    EXPECT_EQ(first[0].trigger, "ALT+LOGO+s");
    fake->press(first[0].session, "toggle");
    settle(client);
    EXPECT_EQ(events, (std::vector<int>{7, -7}));

    // New keys bind on a new session; the old session and the old identifier are done with.
    ASSERT_EQ(shortcuts.registerHotKey(
                  virtualKey::f5, carbonModifier::controlKey | carbonModifier::shiftKey, {1, 8}),
              noErr);
    shortcuts.unregisterHotKey({1, 7});
    ASSERT_TRUE(runUntil([&] { return shortcuts.isBound(); }));
    const auto second = fake->bound();
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].trigger, "CTRL+SHIFT+F5");
    events.clear();
    fake->press(first[0].session, "toggle");
    fake->press(second[1].session, "other");
    fake->press(second[1].session, "toggle");
    settle(client);
    EXPECT_EQ(events, (std::vector<int>{8, -8}));

    shortcuts.unregisterHotKey({1, 8});
    events.clear();
    fake->press(second[1].session, "toggle");
    settle(client);
    EXPECT_TRUE(events.empty());
}
