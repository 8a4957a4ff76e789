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
using namespace wigglet::desktop;
using namespace wigglet::testing;

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
    const struct {
        const char* behaviour;
        std::optional<std::pair<int, int>> backlight; // actual, maximum
        Logind logind;
        std::int64_t key;  // 3 down, 2 up
        int set;           // what logind is asked to set the panel to; -1: nothing
        bool keyIsPressed; // brightness down
    } rows[] = {
        {"brightness down sets a sixteenth below and presses no key", std::pair{800, 800},
         Logind::grants, 3, 750, false},
        {"brightness up sets a sixteenth above, at most the maximum", std::pair{790, 800},
         Logind::grants, 2, 800, false},
        {"brightness down goes no lower than zero", std::pair{20, 800}, Logind::grants, 3, 0,
         false},
        {"without a backlight the key is pressed", std::nullopt, Logind::grants, 3, -1, true},
        {"without logind the key is pressed", std::pair{800, 800}, Logind::absent, 3, -1, true},
        {"when logind refuses the key is pressed", std::pair{800, 800}, Logind::refuses, 3, 750,
         true},
    };
    auto window = XTestWindow::open(displayName(), 200, 200, 400, 300);
    ASSERT_NE(window, nullptr);
    for (const auto& row : rows) {
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
        EXPECT_EQ(keyStrokes(window->received()),
                  row.keyIsPressed ? "+XF86MonBrightnessDown -XF86MonBrightnessDown" : "")
            << row.behaviour;
        const std::vector<Call> asked{{"backlight", "panel", uint(row.set)}};
        EXPECT_EQ(session->calls(), row.set < 0 ? std::vector<Call>{} : asked) << row.behaviour;
    }
}

} // namespace
