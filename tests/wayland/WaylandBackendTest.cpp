#include "platform/linux/wayland/WaylandBackend.h"

#include "platform/EventSource.h"
#include "platform/HotKeyService.h"
#include "platform/ModifierFlags.h"
#include "platform/Screens.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandHotKeyService.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "support/EventLoop.h"
#include "support/InputAdapterTest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

void letTimePass(int ms) {
    runUntil([] { return false; }, ms);
}

constexpr std::uint64_t nextTabFlags = modifierFlag::command | modifierFlag::shift;

// The input adapters on each compositor that offers the protocols; one KWin for the process.
class CompositorInput : public InputAdapterTest, public ::testing::WithParamInterface<std::string> {
  protected:
    bool onKWin() const { return GetParam() == "KWin"; }
    HeadlessCompositor& compositor() override { return onKWin() ? *kwin : *sway; }
    void SetUp() override {
        if (onKWin() && !kwin)
            kwin = HeadlessCompositor::start(HeadlessCompositor::Kind::KWin, whyNot);
        ASSERT_TRUE(!onKWin() || kwin) << whyNot;
        InputAdapterTest::SetUp();
    }

    static inline std::unique_ptr<HeadlessCompositor> kwin;
    static inline std::string whyNot;
};

INSTANTIATE_TEST_SUITE_P(Compositors, CompositorInput, ::testing::Values("sway", "KWin"),
                         [](const auto& info) { return info.param; });

// KWin gives fake input only to the programs its desktop entries name: this one.
TEST_P(CompositorInput, AWarpLandsOnTheExactPixelAndTheProbeReadsItBackFromTheBottomLeft) {
    ASSERT_TRUE(events_->mayPostEvents());
    EXPECT_TRUE(events_->hasKeyboard());
    events_->warpCursor({1234, 567});
    settle();
    EXPECT_TRUE(saw("motion 1234,567") || saw("enter 1234,567")) << all();
    EXPECT_EQ(screens_->pointerLocation(), (Point{1234, 1080 - 567}));
    ASSERT_TRUE(screens_->primaryFrame());
    EXPECT_EQ(screens_->primaryFrame()->size.width, 1920);
}

TEST_P(CompositorInput, ClicksArriveAsButtonsPressedThenReleasedAndAWheelClickAsOneStepUp) {
    events_->post(MouseEvent{MouseEventType::LeftDown, {100, 200}, 0});
    events_->post(MouseEvent{MouseEventType::LeftUp, {100, 200}, 0});
    events_->post(MouseEvent{MouseEventType::RightDown, {100, 200}, 1});
    events_->post(MouseEvent{MouseEventType::RightUp, {100, 200}, 1});
    events_->post(ScrollEvent{15, {300, 300}});
    settle();
    ASSERT_TRUE(saw("button 272 pressed")) << all();
    EXPECT_LT(indexOf("button 272 pressed"), indexOf("button 272 released")) << all();
    EXPECT_LT(indexOf("button 272 released"), indexOf("button 273 pressed")) << all();
    EXPECT_LT(indexOf("button 273 pressed"), indexOf("button 273 released")) << all();
    EXPECT_TRUE(saw("axis 0 -15")) << all();
    if (!onKWin()) {
        EXPECT_TRUE(saw("discrete 0 -1")) << all();
    }
}

// Page_Down is evdev 109, Control the third modifier (mask 4) of the default keymap.
TEST_P(CompositorInput, NextTabArrivesAsPageDownWithControlHeld) {
    events_->post(KeyEvent{virtualKey::ansiRightBracket, true, nextTabFlags});
    events_->post(KeyEvent{virtualKey::ansiRightBracket, false, nextTabFlags});
    settle();
    ASSERT_TRUE(saw("key 109 pressed")) << all();
    EXPECT_LT(indexOf("modifiers 4"), indexOf("key 109 pressed")) << all();
    EXPECT_LT(indexOf("key 109 pressed"), indexOf("key 109 released")) << all();
    EXPECT_EQ(window_->events().back(), "modifiers 0") << all();
}

TEST_P(CompositorInput, IdleTimeGrowsWhileNobodyTouchesAndOurOwnWarpIsNotTheUsers) {
    ASSERT_TRUE(events_->measuresIdleTime());
    ASSERT_TRUE(runUntil([&] { return events_->secondsSinceLastInput() > 1.5; }, 10000));
    const double before = events_->secondsSinceLastInput();
    events_->warpCursor({500, 500});
    settle();
    // Long enough for the compositor's `resumed` and the next `idled`.
    letTimePass(1500);
    EXPECT_GT(events_->secondsSinceLastInput(), before + 1.0);
}

class SwayTest : public InputAdapterTest {
  protected:
    HeadlessCompositor& compositor() override { return *sway; }
};

TEST_F(SwayTest, AnotherDevicesInputCountsAsTheUsersReturn) {
    ASSERT_TRUE(runUntil([&] { return events_->secondsSinceLastInput() > 1.5; }, 10000));
    window_->moveUserPointer();
    EXPECT_TRUE(runUntil([&] { return events_->secondsSinceLastInput() < 1.0; }, 5000));
}

TEST_F(SwayTest, AUserWhoNeverPausesForASecondCountsAsActive) {
    // The watch never goes idle, so the compositor sends no event at all.
    for (int i = 0; i < 10; ++i) {
        window_->moveUserPointer();
        letTimePass(300);
    }
    EXPECT_LT(events_->secondsSinceLastInput(), 1.5);
}

TEST_F(SwayTest, OnSwayOnlyTheGlobalShortcutIsMissingAndItSaysHowToBindOne) {
    ::setenv("SWAYSOCK", sway->swayIpcSocket().c_str(), 1);
    WaylandBackend backend(sway->socket());
    ASSERT_EQ(backend.prepare(), "");
    LinuxDesktopOptions options;
    backend.start(options);
    ::unsetenv("SWAYSOCK");
    EXPECT_EQ(backend.shortcomings(),
              std::vector<std::string>{"sway lets no program register a shortcut. Add this line "
                                       "to ~/.config/sway/config: bindsym Mod1+Mod4+s exec "
                                       "wigglet toggle"});
    EXPECT_NE(backend.hotKeys().registerHotKey(1, 0x0800 | 0x0100, {1, 1}), noErr);
    EXPECT_TRUE(backend.events().mayPostEvents());
}

struct BindingRow {
    const char* behaviour;
    WaylandHotKeyService::Compositor compositor;
    std::uint32_t keyCode;
    std::uint32_t modifiers;
    const char* line;
};

TEST(WaylandHotKeyServiceTest, TheConfigurationLineNamesTheStoredKeysInTheCompositorsSyntax) {
    using enum WaylandHotKeyService::Compositor;
    using namespace carbonModifier;
    const BindingRow rows[] = {
        {"sway, the default Alt+Super+S", sway, virtualKey::ansiS, optionKey | cmdKey,
         "bindsym Mod1+Mod4+s exec wigglet toggle"},
        {"Hyprland names a symbol key by its keysym", hyprland, virtualKey::ansiRightBracket,
         controlKey | shiftKey, "bind = CTRL SHIFT, bracketright, exec, wigglet toggle"},
        {"a key without modifiers stands alone", sway, virtualKey::f5, 0,
         "bindsym F5 exec wigglet toggle"},
        {"an unknown compositor has no line", other, virtualKey::ansiS, cmdKey, ""},
    };
    for (const BindingRow& row : rows)
        EXPECT_EQ(
            WaylandHotKeyService::configurationLine(row.compositor, row.keyCode, row.modifiers),
            row.line)
            << row.behaviour;
}

// A call on kglobalaccel's manager object unless a component's path and interface are given.
QDBusMessage kglobalaccel(const QString& method, const QVariantList& arguments,
                          const QString& path = QStringLiteral("/kglobalaccel"),
                          const QString& interface = QStringLiteral("org.kde.KGlobalAccel")) {
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
    ASSERT_TRUE(runUntil([&] { return KGlobalAccelHotKeyService::offeredOn(bus); }, 20000));
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
    const QDBusReply<QList<int>> keys =
        bus.call(kglobalaccel(QStringLiteral("shortcut"), {KGlobalAccelHotKeyService::actionId()}));
    ASSERT_TRUE(keys.isValid()) << keys.error().message().toStdString();
    EXPECT_EQ(keys.value(), QList<int>{int(Qt::ALT) | int(Qt::META) | int(Qt::Key_S)});
    const QDBusReply<QDBusObjectPath> component = bus.call(
        kglobalaccel(QStringLiteral("getComponent"), {QStringLiteral("org.wigglet.Wigglet")}));
    ASSERT_TRUE(component.isValid());
    bus.call(kglobalaccel(QStringLiteral("invokeShortcut"), {KGlobalAccelHotKeyService::action},
                          component.value().path(),
                          QStringLiteral("org.kde.kglobalaccel.Component")));
    ASSERT_TRUE(runUntil([&] { return received.has_value(); }, 5000));
    EXPECT_EQ(received->kind, kEventHotKeyPressed);
    EXPECT_EQ(received->hotKeyID.id, 7u);
}

} // namespace
