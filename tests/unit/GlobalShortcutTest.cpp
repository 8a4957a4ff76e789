#include "ShortcutRecords.h"
#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "platform/HotKeyService.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/HotKey.h"
#include "system/HotKeysController.h"

namespace {

using namespace wigglet;

constexpr std::uint32_t kSignature = HotKeysController::hotKeySignature;

class GlobalShortcut : public wigglet::test::SimFixture {
  protected:
    void launch() {
        delegate = std::make_unique<AppDelegate>();
        delegate->applicationDidFinishLaunching();
    }
    bool shaking() { return SettingsStore::shared().boolForKey(SettingsKey::shakeEnabled); }
    // The identifier number of the one combination the system holds for us.
    std::uint32_t registeredID() {
        EXPECT_EQ(sim.hotKeys.registered().size(), 1u);
        return sim.hotKeys.registered().empty() ? 0 : sim.hotKeys.registered().begin()->first;
    }
    std::int32_t deliver(int kind, HotKeyID id, bool hasID = true) {
        const HotKeyEvent event{kind, id, hasID};
        return sim.hotKeys.deliver(&event);
    }

    std::unique_ptr<AppDelegate> delegate;
};

using wigglet::test::controlShiftK;

TEST_F(GlobalShortcut, EventsThatAreNotOursOrNotPressesOrForAReplacedOneAreNotHandled) {
    launch();
    const std::uint32_t id = registeredID();
    const std::pair<const char*, HotKeyEvent> rows[] = {
        {"the release of our combination", {kEventHotKeyReleased, {kSignature, id}, true}},
        {"a foreign signature", {kEventHotKeyPressed, {0x41424344, id}, true}},
        {"an identifier never registered", {kEventHotKeyPressed, {kSignature, id + 7}, true}},
        {"a kind other than pressed or released", {9, {kSignature, id}, true}},
    };
    for (const auto& [behaviour, event] : rows) {
        EXPECT_EQ(sim.hotKeys.deliver(&event), eventNotHandledErr) << behaviour;
        EXPECT_FALSE(shaking()) << behaviour;
    }
    EXPECT_EQ(deliver(kEventHotKeyPressed, {kSignature, id}, false),
              HotKeysController::eventParameterNotFoundErr)
        << "an event without an identifier pair";
    EXPECT_EQ(HotKeysController::shared().handleHotKeyEvent(nullptr), eventNotHandledErr);
    EXPECT_FALSE(shaking());

    // Nor, after a replacement, are those for the old identifier.
    GlobalKeybindPreferences::setStoredShortcut(controlShiftK());
    delegate->installHotKey();
    EXPECT_EQ(deliver(kEventHotKeyPressed, {kSignature, id}), eventNotHandledErr);
    EXPECT_FALSE(shaking());
    const std::uint32_t newID = registeredID();
    EXPECT_EQ(sim.hotKeys.registered().at(newID).keyCode, 40u);
    EXPECT_EQ(deliver(kEventHotKeyPressed, {kSignature, newID}), noErr);
    EXPECT_TRUE(shaking());
}

// The order of registrations is ui-shortcut-recorder's, a refused one control-shortcut-refused's.
TEST_F(GlobalShortcut, ACallbackThatReplacesTheShortcutRunsSafely) {
    launch();
    bool ran = false;
    delegate->hotKey->keyDownHandler = [&] {
        delegate->installHotKey();
        ran = true;
    };
    sim.hotKeys.pressRegistered();
    EXPECT_TRUE(ran);
    EXPECT_EQ(registeredID(), 2u);
    sim.hotKeys.pressRegistered();
    EXPECT_TRUE(shaking());
}

} // namespace
