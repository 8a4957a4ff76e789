#include "platform/linux/wayland/WaylandBackend.h"

#include "platform/EventSource.h"
#include "platform/HotKeyService.h"
#include "platform/ModifierFlags.h"
#include "platform/Screens.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/wayland/LayerShellPointerProbe.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandHotKeyService.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"
#include "support/InputAdapterTest.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace wigglet;
using namespace wigglet::desktop;
using wigglet::testing::HeadlessCompositor;
using wigglet::testing::InputAdapterTest;

namespace {

constexpr std::uint64_t command = 0x100000;
constexpr std::uint64_t shift = 0x20000;
class SwayTest : public InputAdapterTest {
  protected:
    HeadlessCompositor& compositor() override { return *sway; }
};

TEST_F(SwayTest, AWarpPutsThePointerOnTheExactPixelOfTheWindow) {
    events_->warpCursor({1234, 567});
    settle();
    EXPECT_TRUE(saw("motion 1234,567") || saw("enter 1234,567")) << all();
}

TEST_F(SwayTest, ClicksArriveAsTheLeftAndRightButtonsPressedThenReleased) {
    events_->post(MouseEvent{MouseEventType::LeftDown, {100, 200}, 0});
    events_->post(MouseEvent{MouseEventType::LeftUp, {100, 200}, 0});
    events_->post(MouseEvent{MouseEventType::RightDown, {100, 200}, 1});
    events_->post(MouseEvent{MouseEventType::RightUp, {100, 200}, 1});
    settle();
    ASSERT_TRUE(saw("button 272 pressed")) << all();
    EXPECT_LT(indexOf("button 272 pressed"), indexOf("button 272 released")) << all();
    EXPECT_LT(indexOf("button 272 released"), indexOf("button 273 pressed")) << all();
    EXPECT_LT(indexOf("button 273 pressed"), indexOf("button 273 released")) << all();
}

TEST_F(SwayTest, OneWheelClickUpArrivesAsOneDiscreteStepUp) {
    events_->post(ScrollEvent{15, {300, 300}});
    settle();
    EXPECT_TRUE(saw("discrete 0 -1")) << all();
    EXPECT_TRUE(saw("axis 0 -15")) << all();
}

TEST_F(SwayTest, NextTabArrivesAsPageDownWithControlHeld) {
    events_->post(KeyEvent{virtualKey::ansiRightBracket, true, command | shift});
    events_->post(KeyEvent{virtualKey::ansiRightBracket, false, command | shift});
    settle();
    // Page_Down is evdev 109, Control the third modifier (mask 4) of the default keymap.
    ASSERT_TRUE(saw("key 109 pressed")) << all();
    EXPECT_LT(indexOf("modifiers 4"), indexOf("key 109 pressed")) << all();
    EXPECT_LT(indexOf("key 109 pressed"), indexOf("key 109 released")) << all();
    const auto& events = window_->events();
    EXPECT_EQ(events.back(), "modifiers 0") << all();
}

TEST_F(SwayTest, TheProbeReadsThePointerBackInBottomLeftCoordinates) {
    events_->warpCursor({1234, 567});
    settle();
    const Point found = screens_->pointerLocation();
    EXPECT_EQ(found.x, 1234);
    EXPECT_EQ(found.y, 1080 - 567);
    ASSERT_TRUE(screens_->primaryFrame());
    EXPECT_EQ(screens_->primaryFrame()->size.width, 1920);
}

TEST_F(SwayTest, IdleTimeGrowsWhileNobodyTouchesAndOurOwnWarpIsNotTheUsers) {
    ASSERT_TRUE(events_->measuresIdleTime());
    ASSERT_TRUE(waitFor([&] { return events_->secondsSinceLastInput() > 1.5; }, 10));
    const double before = events_->secondsSinceLastInput();
    events_->warpCursor({500, 500});
    settle();
    // Long enough for the compositor's `resumed` and the next `idled`.
    pass(1.5);
    EXPECT_GT(events_->secondsSinceLastInput(), before + 1.0);
}

TEST_F(SwayTest, AnotherDevicesInputCountsAsTheUsersReturn) {
    ASSERT_TRUE(waitFor([&] { return events_->secondsSinceLastInput() > 1.5; }, 10));
    window_->moveUserPointer();
    EXPECT_TRUE(waitFor([&] { return events_->secondsSinceLastInput() < 1.0; }, 5));
}

TEST_F(SwayTest, AUserWhoNeverPausesForASecondCountsAsActive) {
    // The watch never goes idle, so the compositor sends no event at all.
    for (int i = 0; i < 10; ++i) {
        window_->moveUserPointer();
        pass(0.3);
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

TEST(WestonTest, WithoutTheProtocolsOneLineSaysWhatIsMissingAndNothingBreaks) {
    std::string whyNot;
    auto weston = HeadlessCompositor::start(HeadlessCompositor::Kind::Weston, whyNot);
    ASSERT_TRUE(weston) << whyNot;
    WaylandBackend backend(weston->socket());
    ASSERT_EQ(backend.prepare(), "");
    LinuxDesktopOptions options;
    backend.start(options);
    const auto lines = backend.shortcomings();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("This compositor offers no way for applications to send input", 0),
              0u);
    EXPECT_NE(lines[0].find("idle"), std::string::npos);
    EXPECT_NE(lines[0].find("can only keep the display awake"), std::string::npos);
    EXPECT_EQ(lines[0].find('\n'), std::string::npos);
    EXPECT_FALSE(backend.events().mayPostEvents());
    backend.events().warpCursor({10, 10});
    backend.events().post(KeyEvent{virtualKey::ansiRightBracket, true, command | shift});
    EXPECT_EQ(backend.events().secondsSinceLastInput(), 0);
    EXPECT_EQ(backend.screens().pointerLocation().x, 0);
}

} // namespace
