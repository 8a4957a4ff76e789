#include "platform/linux/x11/XTestEventSource.h"

#include "platform/ModifierFlags.h"
#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/x11/XScreens.h"
#include "support/XServerTest.h"
#include "support/XTestWindow.h"

#include <X11/XF86keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

using namespace wigglet::modifierFlag;

// Where the pointer is on the root window, as another client reads it.
Point rootPointer(Display* display) {
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                  &buttons);
    return {double(x), double(y)};
}

// Wheel clicks as "4" (up) and "5" (down), one per press.
std::vector<unsigned> wheelClicks(const std::vector<XEvent>& events) {
    std::vector<unsigned> clicks;
    for (const XEvent& event : events)
        if (event.type == ButtonPress && event.xbutton.button >= 4)
            clicks.push_back(event.xbutton.button);
    return clicks;
}

using Posted = std::variant<KeyEvent, SystemDefinedEvent>;

std::vector<Posted> stroke(std::uint16_t code, std::uint64_t flags) {
    return {KeyEvent{code, true, flags}, KeyEvent{code, false, flags}};
}

// A media key as the system posts it: its down and its up event.
std::vector<Posted> systemKey(std::int64_t down, std::int64_t up) {
    SystemDefinedEvent pressed, released;
    pressed.data1 = down;
    released.data1 = up;
    return {pressed, released};
}

class XTestEventSourceTest : public XServerTest {
  protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped())
            return;
        events_ = std::make_unique<XTestEventSource>(connection_.get());
        screens_ = std::make_unique<XScreens>(connection_.get());
    }
    std::unique_ptr<XTestWindow> openWindow() {
        auto window = XTestWindow::open(displayName(), 200, 200, 400, 300);
        EXPECT_NE(window, nullptr);
        return window;
    }
    void post(const std::vector<Posted>& events) {
        for (const Posted& event : events)
            std::visit([this](const auto& each) { events_->post(each); }, event);
    }

    std::unique_ptr<XTestEventSource> events_;
    std::unique_ptr<XScreens> screens_;
};

TEST_F(XTestEventSourceTest, WarpLandsWhereAskedAndReadsBackInScreenCoordinates) {
    const auto frame = screens_->primaryFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->origin, (Point{0, 0}));
    EXPECT_EQ(frame->size.width, XvfbServer::width);
    EXPECT_EQ(frame->size.height, XvfbServer::height);
    const struct {
        const char* behaviour;
        Point target;
        Point root;
    } rows[] = {
        {"a point inside the screen lands on that pixel", {100, 200}, {100, 200}},
        {"the bottom-right pixel is reachable", {1279, 799}, {1279, 799}},
        {"a fractional point lands on the nearest pixel", {10.6, 20.4}, {11, 20}},
        {"a point beyond the screen is pinned to its edge", {2000, -50}, {1279, 0}},
    };
    Display* probe = XOpenDisplay(displayName().c_str());
    ASSERT_NE(probe, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        events_->warpCursor(row.target);
        EXPECT_EQ(rootPointer(probe), row.root);
        EXPECT_EQ(screens_->pointerLocation(),
                  (Point{row.root.x, XvfbServer::height - row.root.y}));
    }
    XCloseDisplay(probe);
}

// A left click is button 1, a right one button 3, at the point in the window below it.
TEST_F(XTestEventSourceTest, ClicksArriveAtTheWindowUnderThePoint) {
    using enum MouseEventType;
    auto window = openWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& [down, up, button, xButton] :
         {std::tuple{LeftDown, LeftUp, 0, 1u}, std::tuple{RightDown, RightUp, 1, 3u}}) {
        SCOPED_TRACE(xButton);
        window->drain();
        events_->post(MouseEvent{down, {300, 250}, button});
        events_->post(MouseEvent{up, {300, 250}, button});
        const auto press = window->next(ButtonPress);
        ASSERT_TRUE(press);
        EXPECT_EQ(press->xbutton.button, xButton);
        EXPECT_EQ(press->xbutton.x_root, 300);
        EXPECT_EQ(press->xbutton.y_root, 250);
        EXPECT_EQ(press->xbutton.x, 100);
        const auto release = window->next(ButtonRelease);
        ASSERT_TRUE(release);
        EXPECT_EQ(release->xbutton.button, xButton);
    }
}

TEST_F(XTestEventSourceTest, ScrollPixelsBecomeWholeWheelClicks) {
    const struct {
        const char* behaviour;
        std::vector<std::int32_t> pixels;
        std::vector<unsigned> clicks;
    } rows[] = {
        {"one click's worth of pixels up is one wheel-up click", {15}, {4}},
        {"pixels short of a click wait for the next event", {7, 8}, {4}},
        {"less than a click's worth posts no click", {14}, {}},
        {"two clicks' worth down is two wheel-down clicks", {-30}, {5, 5}},
        {"many small events add up", {3, 3, 3, 3, 3, 3, 3, 3, 3, 3}, {4, 4}},
    };
    auto window = openWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& row : rows) {
        // Each row starts without a remainder from the one before.
        events_ = std::make_unique<XTestEventSource>(connection_.get());
        window->drain();
        for (const std::int32_t value : row.pixels)
            events_->post(ScrollEvent{value, {300, 250}});
        EXPECT_EQ(wheelClicks(window->received()), row.clicks) << row.behaviour;
    }
}

TEST_F(XTestEventSourceTest, KeysArriveAsTheDesktopsKeysWithTheirModifiersAround) {
    const struct {
        const char* behaviour;
        std::vector<Posted> posted;
        const char* strokes;
    } rows[] = {
        {"Escape alone is one press and release", stroke(53, 0), "+Escape -Escape"},
        {"a letter with Shift is the letter inside Shift", stroke(0, shift),
         "+Shift_L +a -a -Shift_L"},
        {"Command is Super and Option is Alt", stroke(1, command | option),
         "+Alt_L +Super_L +s -s -Super_L -Alt_L"},
        {"the next-tab stroke is the desktop's Ctrl+Page_Down", stroke(30, command | shift),
         "+Control_L +Next -Next -Control_L"},
        {"a bracket without the tab modifiers is the bracket", stroke(30, shift),
         "+Shift_L +bracketright -bracketright -Shift_L"},
        {"a key-up without its key-down releases only the key",
         {KeyEvent{0, true, 0}, KeyEvent{1, false, shift}, KeyEvent{0, false, 0}},
         "+a -a"},
        {"brightness down is the desktop's brightness-down key", systemKey(0x30A00, 0x30B00),
         "+XF86MonBrightnessDown -XF86MonBrightnessDown"},
    };
    auto window = openWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& row : rows) {
        window->drain();
        post(row.posted);
        EXPECT_EQ(keyStrokes(window->received()), row.strokes) << row.behaviour;
    }
}

TEST_F(XTestEventSourceTest, IdleTimeCountsOtherClientsXTestInputButNotOurOwn) {
    RealSleeper sleeper;
    sleeper.sleepMicroseconds(300'000);
    EXPECT_GE(events_->secondsSinceLastInput(), 0.3);

    events_->warpCursor({50, 60});
    events_->postMouseMovedNudge({50, 60});
    EXPECT_GE(events_->secondsSinceLastInput(), 0.3);
    EXPECT_EQ(screens_->pointerLocation(), (Point{50, double(XvfbServer::height - 60)}));

    // Another program's absolute move through XTest, as xdotool or a VNC server makes it.
    sleeper.sleepMicroseconds(50'000);
    Display* other = XOpenDisplay(displayName().c_str());
    ASSERT_NE(other, nullptr);
    XTestFakeMotionEvent(other, 0, 400, 300, CurrentTime);
    XSync(other, False);
    XCloseDisplay(other);
    EXPECT_LT(events_->secondsSinceLastInput(), 0.1);

    sleeper.sleepMicroseconds(200'000);
    events_->warpCursor({70, 80});
    EXPECT_GE(events_->secondsSinceLastInput(), 0.2);
}

class XTestEventSourceWithoutXTest : public XServerTest {
  protected:
    void SetUp() override { startServer({"-extension", "XTEST"}); }
};

TEST_F(XTestEventSourceWithoutXTest, ServerWithoutXTestMayNotPostAndPostsNothing) {
    XTestEventSource events(connection_.get());
    XScreens screens(connection_.get());
    EXPECT_FALSE(events.mayPostEvents());
    const Point before = screens.pointerLocation();
    events.warpCursor({before.x + 100, 100});
    EXPECT_EQ(screens.pointerLocation(), before);
}

TEST_F(XTestEventSourceTest, KeyThatNoKeyProducesIsLentASpareKeycodeForItsLifetime) {
    auto window = openWindow();
    ASSERT_NE(window, nullptr);
    Display* display = window->display();
    const KeyCode original = XKeysymToKeycode(display, XF86XK_MonBrightnessUp);
    ASSERT_NE(original, 0);
    KeySym nothing = NoSymbol;
    XChangeKeyboardMapping(display, original, 1, &nothing, 1);
    XSync(display, False);
    XSync(connection_->display(), False);
    connection_->dispatchPending();

    post(systemKey(0x20A00, 0x20B00));
    const auto received = window->received();
    EXPECT_EQ(keyStrokes(received), "+XF86MonBrightnessUp -XF86MonBrightnessUp");
    ASSERT_FALSE(received.empty());
    const unsigned lent = received.back().xkey.keycode;
    EXPECT_NE(lent, original);

    events_.reset();
    window->drain();
    EXPECT_EQ(XkbKeycodeToKeysym(display, static_cast<KeyCode>(lent), 0, 0), NoSymbol);
}

TEST_F(XTestEventSourceTest, KeysStillHeldAreReleasedWhenTheSourceGoes) {
    auto window = openWindow();
    ASSERT_NE(window, nullptr);
    window->drain();
    events_->post(KeyEvent{0, true, shift});
    events_.reset();
    EXPECT_EQ(keyStrokes(window->received()), "+Shift_L +a -a -Shift_L");
}

} // namespace
