#include "platform/linux/dbus/LogindBacklight.h"

#include "TemporaryFolder.h"
#include "platform/linux/x11/XTestEventSource.h"
#include "support/BusPeer.h"
#include "support/FakeLogindSession.h"
#include "support/PrivateBus.h"
#include "support/XServerTest.h"
#include "support/XTestWindow.h"

#include <X11/Xlib.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace wigglet;
using wigglet::desktop::LogindBacklight;
using wigglet::desktop::XTestEventSource;
using wigglet::testing::BusPeer;
using wigglet::testing::FakeLogindSession;
using wigglet::testing::keyStrokes;
using wigglet::testing::PrivateBus;
using wigglet::testing::TemporaryFolder;
using wigglet::testing::XServerTest;
using wigglet::testing::XTestWindow;

namespace {

using Call = FakeLogindSession::Call;

enum class Logind { absent, grants, refuses };

// A private bus stands in for the system bus, a temporary folder for the backlight class.
class LogindBacklightTest : public XServerTest {
  protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped())
            return;
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        ASSERT_TRUE(bus_) << whyNot;
    }

    std::unique_ptr<PrivateBus> bus_;
};

TEST_F(LogindBacklightTest, BrightnessKeysSetTheBacklightThroughLogindElseTheKeyIsPressed) {
    struct Row {
        const char* behaviour;
        std::optional<std::pair<int, int>> backlight; // actual, maximum
        Logind logind;
        std::int64_t key;
        std::vector<Call> calls;
        std::vector<std::string> strokes;
    };
    const std::vector<std::string> downKey{"+XF86MonBrightnessDown", "-XF86MonBrightnessDown"};
    const Row rows[] = {
        {"brightness down sets a sixteenth below and presses no key",
         std::pair{800, 800},
         Logind::grants,
         3,
         {{"backlight", "panel", 750}},
         {}},
        {"brightness up sets a sixteenth above, at most the maximum",
         std::pair{790, 800},
         Logind::grants,
         2,
         {{"backlight", "panel", 800}},
         {}},
        {"brightness down goes no lower than zero",
         std::pair{20, 800},
         Logind::grants,
         3,
         {{"backlight", "panel", 0}},
         {}},
        {"without a backlight the key is pressed", std::nullopt, Logind::grants, 3, {}, downKey},
        {"without logind the key is pressed", std::pair{800, 800}, Logind::absent, 3, {}, downKey},
        {"when logind refuses the key is pressed",
         std::pair{800, 800},
         Logind::refuses,
         3,
         {{"backlight", "panel", 750}},
         downKey},
    };
    auto window = XTestWindow::open(displayName(), 200, 200, 400, 300);
    ASSERT_NE(window, nullptr);
    for (const Row& row : rows) {
        TemporaryFolder sysfs;
        if (row.backlight) {
            sysfs.write("panel/actual_brightness", std::to_string(row.backlight->first) + "\n");
            sysfs.write("panel/max_brightness", std::to_string(row.backlight->second) + "\n");
        }
        auto* session = new FakeLogindSession(row.logind == Logind::refuses);
        std::unique_ptr<QObject> owned(session);
        std::optional<BusPeer> logind;
        if (row.logind != Logind::absent)
            logind.emplace(*bus_, QString::fromLatin1(LogindBacklight::service),
                           QString::fromLatin1(LogindBacklight::sessionPath), std::move(owned));
        LogindBacklight backlight(bus_->connect(QStringLiteral("system")), sysfs.path());
        XTestEventSource events(connection_.get(), XTestEventSource::defaultPixelsPerWheelClick,
                                &backlight);
        window->drain();
        SystemDefinedEvent down, up;
        down.data1 = (row.key << 16) | 0xA00;
        up.data1 = (row.key << 16) | 0xB00;
        events.post(down);
        events.post(up);
        EXPECT_EQ(keyStrokes(window->received()), row.strokes) << row.behaviour;
        EXPECT_EQ(session->calls(), row.calls) << row.behaviour;
    }
}

} // namespace
