#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"
#include "support/HeadlessCompositor.h"
#include "support/WaylandTest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QList>
#include <Qt>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace wigglet;
using namespace wigglet::desktop;
using wigglet::testing::HeadlessCompositor;
using wigglet::testing::WaylandTest;

namespace {

QDBusMessage kglobalaccel(const QString& path, const QString& interface, const QString& method,
                          const QVariantList& arguments) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(KGlobalAccelHotKeyService::service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

TEST(KWinTest, TheShortcutIsKWinsUnderWiggletsNameAndItsPressReachesTheHandler) {
    std::string whyNot;
    const auto kwin = HeadlessCompositor::start(HeadlessCompositor::Kind::KWin, whyNot);
    ASSERT_TRUE(kwin) << whyNot;
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(kwin->busAddress()),
                                                        QStringLiteral("kwin-test"));
    ASSERT_TRUE(
        WaylandTest::waitFor([&] { return KGlobalAccelHotKeyService::offeredOn(bus); }, 20));
    KGlobalAccelHotKeyService hotKeys(bus);
    std::optional<HotKeyEvent> received;
    hotKeys.installHandler([&](const HotKeyEvent* event) {
        received = *event;
        return noErr;
    });
    const HotKeyID id{0x57474c54, 7};
    ASSERT_EQ(hotKeys.registerHotKey(virtualKey::ansiS,
                                     carbonModifier::optionKey | carbonModifier::cmdKey, id),
              noErr);
    const QDBusReply<QList<int>> keys = bus.call(
        kglobalaccel(QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"),
                     QStringLiteral("shortcut"), {KGlobalAccelHotKeyService::actionId()}));
    ASSERT_TRUE(keys.isValid()) << keys.error().message().toStdString();
    EXPECT_EQ(keys.value(), QList<int>{int(Qt::ALT) | int(Qt::META) | int(Qt::Key_S)});
    const QDBusReply<QDBusObjectPath> component = bus.call(
        kglobalaccel(QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"),
                     QStringLiteral("getComponent"), {QStringLiteral("org.wigglet.Wigglet")}));
    ASSERT_TRUE(component.isValid());
    bus.call(kglobalaccel(component.value().path(),
                          QStringLiteral("org.kde.kglobalaccel.Component"),
                          QStringLiteral("invokeShortcut"), {KGlobalAccelHotKeyService::action}));
    ASSERT_TRUE(WaylandTest::waitFor([&] { return received.has_value(); }, 5));
    EXPECT_EQ(received->kind, kEventHotKeyPressed);
    EXPECT_EQ(received->hotKeyID.id, 7u);
}

} // namespace
