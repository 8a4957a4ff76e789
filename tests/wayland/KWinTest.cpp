#include "platform/EventSource.h"
#include "platform/ModifierFlags.h"
#include "platform/Screens.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "support/InputAdapterTest.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QList>
#include <Qt>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

using namespace wigglet;
using namespace wigglet::desktop;
using wigglet::testing::HeadlessCompositor;
using wigglet::testing::InputAdapterTest;

namespace {

// One KWin for the tests of a process, which gives fake input only to programs its desktop
// entries name: this one.
class KWinTest : public InputAdapterTest {
  public:
    static void SetUpTestSuite() {
        kwin_ = HeadlessCompositor::start(HeadlessCompositor::Kind::KWin, whyNot_);
    }
    static void TearDownTestSuite() { kwin_.reset(); }

  protected:
    HeadlessCompositor& compositor() override { return *kwin_; }
    void SetUp() override {
        ASSERT_TRUE(kwin_) << whyNot_;
        InputAdapterTest::SetUp();
    }

    QDBusConnection kwinBus() {
        return QDBusConnection::connectToBus(QString::fromStdString(kwin_->busAddress()),
                                             QStringLiteral("kwin-test"));
    }
    static QDBusMessage kglobalaccel(const QString& path, const QString& interface,
                                     const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(KGlobalAccelHotKeyService::service,
                                                              path, interface, method);
        message.setArguments(arguments);
        return message;
    }

    static inline std::unique_ptr<HeadlessCompositor> kwin_;
    static inline std::string whyNot_;
};

TEST_F(KWinTest, TheDeclaredProgramGetsFakeInputAndAWarpLandsOnTheExactPixel) {
    ASSERT_TRUE(events_->mayPostEvents());
    EXPECT_TRUE(events_->hasKeyboard());
    events_->warpCursor({1234, 567});
    settle();
    EXPECT_TRUE(saw("motion 1234,567") || saw("enter 1234,567")) << all();
}

TEST_F(KWinTest, AClickAndAWheelClickArrive) {
    events_->post(MouseEvent{MouseEventType::LeftDown, {100, 200}, 0});
    events_->post(MouseEvent{MouseEventType::LeftUp, {100, 200}, 0});
    events_->post(ScrollEvent{15, {100, 200}});
    settle();
    ASSERT_TRUE(saw("button 272 pressed")) << all();
    EXPECT_LT(indexOf("button 272 pressed"), indexOf("button 272 released")) << all();
    EXPECT_TRUE(saw("axis 0 -15")) << all();
}

TEST_F(KWinTest, NextTabArrivesAsPageDownWithControlHeld) {
    events_->post(
        KeyEvent{virtualKey::ansiRightBracket, true, modifierFlag::command | modifierFlag::shift});
    events_->post(
        KeyEvent{virtualKey::ansiRightBracket, false, modifierFlag::command | modifierFlag::shift});
    settle();
    ASSERT_TRUE(saw("key 109 pressed")) << all();
    EXPECT_LT(indexOf("modifiers 4"), indexOf("key 109 pressed")) << all();
    EXPECT_LT(indexOf("key 109 pressed"), indexOf("key 109 released")) << all();
    EXPECT_EQ(window_->events().back(), "modifiers 0") << all();
}

TEST_F(KWinTest, IdleTimeGrowsWhileNobodyTouchesAndOurOwnWarpIsNotTheUsers) {
    ASSERT_TRUE(events_->measuresIdleTime());
    ASSERT_TRUE(waitFor([&] { return events_->secondsSinceLastInput() > 1.5; }, 10));
    const double before = events_->secondsSinceLastInput();
    events_->warpCursor({500, 500});
    settle();
    pass(1.5);
    EXPECT_GT(events_->secondsSinceLastInput(), before + 1.0);
}

TEST_F(KWinTest, TheProbeReadsThePointerBackInBottomLeftCoordinates) {
    events_->warpCursor({1234, 567});
    settle();
    const Point found = screens_->pointerLocation();
    EXPECT_EQ(found.x, 1234);
    EXPECT_EQ(found.y, 1080 - 567);
}

TEST_F(KWinTest, TheShortcutIsKWinsUnderWiggletsNameAndItsPressReachesTheHandler) {
    QDBusConnection bus = kwinBus();
    ASSERT_TRUE(waitFor([&] { return KGlobalAccelHotKeyService::offeredOn(bus); }, 20));
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
    ASSERT_TRUE(waitFor([&] { return received.has_value(); }, 5));
    EXPECT_EQ(received->kind, kEventHotKeyPressed);
    EXPECT_EQ(received->hotKeyID.id, 7u);
}

} // namespace
