#include "platform/linux/wayland/PortalInputDevice.h"

#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"
#include "support/EventLoop.h"
#include "support/PortalTestBus.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

using wigglet::Point;
using wigglet::Rect;
using namespace wigglet::desktop;
using namespace wigglet::testing;
using Notification = FakeRemoteDesktopPortal::Notification;

namespace {

struct InputRow {
    const char* sentence;
    std::function<void(PortalInputDevice&)> input;
    std::vector<Notification> expected;
};

void PrintTo(const InputRow& row, std::ostream* out) {
    *out << row.sentence;
}

class PortalInput : public wigglet::testing::PortalTestBus,
                    public ::testing::WithParamInterface<InputRow> {};

TEST_P(PortalInput, ArrivesAtThePortal) {
    FakeRemoteDesktopPortal& fake = startPortal();
    const QDBusConnection client = connectClient();
    // The pointer is found at (100, 100) before the first motion.
    const auto device = PortalInputDevice::create(
        client,
        [] {
            return std::optional<Point>(Point{100, 100});
        },
        token());
    ASSERT_TRUE(device);
    ASSERT_TRUE(
        runUntil([&] { return device->portal().state() == RemoteDesktopPortal::State::started; }));
    GetParam().input(*device);
    settle(client);
    EXPECT_EQ(fake.notifications(), GetParam().expected);
}

const Rect layout{{0, 0}, {1920, 1080}};
const QString motion = QStringLiteral("NotifyPointerMotion");
const QString keycode = QStringLiteral("NotifyKeyboardKeycode");

INSTANTIATE_TEST_SUITE_P(
    Rows, PortalInput,
    ::testing::Values(
        InputRow{"MotionIsTheExactStepsAndOutAndBackSumToZero",
                 [](PortalInputDevice& device) {
                     device.moveTo({130, 80}, layout);
                     device.moveTo({90, 110.5}, layout);
                     device.moveTo({100, 100}, layout);
                 },
                 {{motion, {30.0, -20.0}}, {motion, {-40.0, 30.5}}, {motion, {10.0, -10.5}}}},
        InputRow{"AClickAndWheelClicksAreTheEvdevButtonAndVerticalSteps",
                 [](PortalInputDevice& device) {
                     device.button(BTN_LEFT, true);
                     device.button(BTN_LEFT, false);
                     device.wheel(-2, 15);
                 },
                 {{"NotifyPointerButton", {BTN_LEFT, 1u}},
                  {"NotifyPointerButton", {BTN_LEFT, 0u}},
                  {"NotifyPointerAxisDiscrete", {0u, -2}}}},
        InputRow{"HeldModifiersArePressedAndReleasedAsTheirKeys",
                 [](PortalInputDevice& device) {
                     device.holdModifiers(WaylandVirtualKeyboard::Shift |
                                          WaylandVirtualKeyboard::Control);
                     device.key(KEY_TAB, true);
                     device.key(KEY_TAB, false);
                     device.holdModifiers(0);
                 },
                 {{keycode, {KEY_LEFTSHIFT, 1u}},
                  {keycode, {KEY_LEFTCTRL, 1u}},
                  {keycode, {KEY_TAB, 1u}},
                  {keycode, {KEY_TAB, 0u}},
                  {keycode, {KEY_LEFTSHIFT, 0u}},
                  {keycode, {KEY_LEFTCTRL, 0u}}}}),
    [](const auto& info) { return std::string(info.param.sentence); });

} // namespace
