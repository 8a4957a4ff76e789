#include "platform/linux/x11/XGrabHotKeyService.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/x11/XTestEventSource.h"
#include "support/EventLoop.h"
#include "support/XServerTest.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr std::uint32_t signature = 0x57674B6B; // 'WgHk'
using namespace wigglet::carbonModifier;
using namespace wigglet::virtualKey;
constexpr std::uint64_t commandFlag = modifierFlag::command, optionFlag = modifierFlag::option,
                        controlFlag = modifierFlag::control;
constexpr std::uint16_t numLock = 0x47;

// Events as "+7" for a press and "-7" for a release, with a space between.
std::string describe(const HotKeyEvent& event) {
    return (event.kind == kEventHotKeyPressed ? " +" : " -") + std::to_string(event.hotKeyID.id);
}

class XGrabHotKeyServiceTest : public XServerTest {
  protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped())
            return;
        service_ = std::make_unique<XGrabHotKeyService>(connection_.get());
        service_->installHandler([this](const HotKeyEvent* event) {
            if (event->hotKeyID.signature == signature)
                seen_ += describe(*event);
            return noErr;
        });
        // The keyboard as another client sees it: the user's hands.
        keyboardConnection_ = XConnection::open(displayName());
        ASSERT_NE(keyboardConnection_, nullptr);
        keyboard_ = std::make_unique<XTestEventSource>(keyboardConnection_.get());
        // A shortcut pressed after the others, whose arrival says the earlier ones had their
        // chance to arrive.
        ASSERT_EQ(service_->registerHotKey(f1, controlKey, {signature, 99}), noErr);
    }
    void press(std::uint16_t code, std::uint64_t flags) {
        keyboard_->post(KeyEvent{code, true, flags});
        keyboard_->post(KeyEvent{code, false, flags});
    }
    // What arrived before the sentinel shortcut.
    std::string seenBeforeSentinel() {
        press(f1, controlFlag);
        EXPECT_TRUE(runUntil([this] { return seen_.ends_with(" +99 -99"); }));
        const std::string before = seen_.substr(0, seen_.rfind(" +99 -99"));
        seen_.clear();
        return before.empty() ? before : before.substr(1);
    }

    std::unique_ptr<XGrabHotKeyService> service_;
    std::unique_ptr<XConnection> keyboardConnection_;
    std::unique_ptr<XTestEventSource> keyboard_;
    std::string seen_;
};

TEST_F(XGrabHotKeyServiceTest, OnlyTheGrabbedCombinationRunsItsHandlerWhateverTheLockKeys) {
    const char* ran = "+7 -7";
    const struct {
        const char* behaviour;
        std::uint16_t lockKey; // 0: no lock key toggled
        std::uint64_t flags;
        const char* seen;
    } rows[] = {
        {"the shortcut pressed through XTest is pressed and released", 0, commandFlag | optionFlag,
         ran},
        {"the shortcut works with Caps Lock on", capsLock, commandFlag | optionFlag, ran},
        {"the shortcut works with Num Lock on", numLock, commandFlag | optionFlag, ran},
        {"the key with fewer modifiers is not the shortcut", 0, commandFlag, ""},
        {"the key with more modifiers is not the shortcut", 0,
         commandFlag | optionFlag | controlFlag, ""},
        {"the key alone is not the shortcut", 0, 0, ""},
    };
    ASSERT_EQ(service_->registerHotKey(ansiS, cmdKey | optionKey, {signature, 7}), noErr);
    for (const auto& row : rows) {
        if (row.lockKey)
            press(row.lockKey, 0);
        press(ansiS, row.flags);
        EXPECT_EQ(seenBeforeSentinel(), row.seen) << row.behaviour;
        if (row.lockKey)
            press(row.lockKey, 0);
    }
}

// A refused second registration of a combination leaves the first one working.
TEST_F(XGrabHotKeyServiceTest, UnregisteredShortcutStopsAndItsReplacementRuns) {
    ASSERT_EQ(service_->registerHotKey(ansiS, cmdKey | optionKey, {signature, 7}), noErr);
    EXPECT_EQ(service_->registerHotKey(ansiS, cmdKey | optionKey, {signature, 8}),
              eventHotKeyExistsErr);
    service_->unregisterHotKey({signature, 8});
    press(ansiS, commandFlag | optionFlag);
    EXPECT_EQ(seenBeforeSentinel(), "+7 -7");
    ASSERT_EQ(service_->registerHotKey(ansiS, cmdKey | controlKey, {signature, 9}), noErr);
    service_->unregisterHotKey({signature, 7});
    press(ansiS, commandFlag | optionFlag);
    press(ansiS, commandFlag | controlFlag);
    EXPECT_EQ(seenBeforeSentinel(), "+9 -9");
}

int toolkitErrors = 0;
int toolkitHandler(Display*, XErrorEvent*) {
    ++toolkitErrors;
    return 0;
}

// Another client may be another program or a second service of ours; the refusal is seen
// even under a toolkit's own error handler, which hears nothing of it.
TEST_F(XGrabHotKeyServiceTest, ShortcutHeldByAnotherClientIsRefusedCleanly) {
    // Another client holds Alt+Super+S, as another program's shortcut would.
    Display* other = XOpenDisplay(displayName().c_str());
    ASSERT_NE(other, nullptr);
    XGrabKey(other, XKeysymToKeycode(other, XK_s), Mod1Mask | Mod4Mask, DefaultRootWindow(other),
             False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);
    const XErrorHandler before = XSetErrorHandler(toolkitHandler);
    toolkitErrors = 0;

    EXPECT_EQ(service_->registerHotKey(ansiS, cmdKey | optionKey, {signature, 7}),
              eventHotKeyExistsErr);
    EXPECT_EQ(toolkitErrors, 0);
    EXPECT_EQ(XSetErrorHandler(before), &toolkitHandler);
    // The refused variants are not left half grabbed: a free combination still works.
    EXPECT_EQ(service_->registerHotKey(ansiS, cmdKey | controlKey, {signature, 8}), noErr);
    press(ansiS, commandFlag | optionFlag);
    press(ansiS, commandFlag | controlFlag);
    EXPECT_EQ(seenBeforeSentinel(), "+8 -8");
    XCloseDisplay(other);

    const auto secondConnection = XConnection::open(displayName());
    XGrabHotKeyService second(secondConnection.get());
    EXPECT_EQ(second.registerHotKey(ansiS, cmdKey | controlKey, {signature, 1}),
              eventHotKeyExistsErr);
}

TEST_F(XGrabHotKeyServiceTest, KeyWithoutAPositionIsInvalid) {
    EXPECT_EQ(service_->registerHotKey(0x3F, cmdKey, {signature, 7}), eventHotKeyInvalidErr);
}

TEST_F(XGrabHotKeyServiceTest, HeldShortcutIsPressedOnce) {
    ASSERT_EQ(service_->registerHotKey(ansiS, cmdKey | optionKey, {signature, 7}), noErr);
    keyboard_->post(KeyEvent{ansiS, true, commandFlag | optionFlag});
    // Longer than the server's auto-repeat delay, so that repeats would have come.
    RealSleeper().sleepMicroseconds(800'000);
    keyboard_->post(KeyEvent{ansiS, false, commandFlag | optionFlag});
    EXPECT_EQ(seenBeforeSentinel(), "+7 -7");
}

TEST(XGrabHotKeyServiceWithoutDisplay, RefusesEveryShortcut) {
    XGrabHotKeyService service(nullptr);
    EXPECT_EQ(service.registerHotKey(ansiS, cmdKey, {signature, 1}), eventHotKeyInvalidErr);
    service.unregisterHotKey({signature, 1});
}

} // namespace
