#include "system/LaunchAtLogin.h"

#include "SimFixture.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using wigglet::LaunchAtLogin;
using Change = LaunchAtLogin::KVO::Change;

class LaunchAtLoginTest : public wigglet::test::SimFixture {
  protected:
    // The oldest system of each mechanism: 13.0 registers the application itself.
    explicit LaunchAtLoginTest(int major = 13, int minor = 0) {
        sim.world.version = {major, minor, 0};
    }

    // The login-item calls made, as "op result".
    std::vector<std::string> loginItemCalls() {
        std::vector<std::string> calls;
        for (const auto& line : traceLines("login-item"))
            calls.push_back(line["op"].get<std::string>() + " " +
                            line["result"].get<std::string>());
        return calls;
    }
    std::vector<std::string> logLines() {
        std::vector<std::string> texts;
        for (const auto& line : traceLines("log")) {
            EXPECT_EQ(line["level"], "error");
            texts.push_back(line["text"]);
        }
        return texts;
    }
};

class LaunchAtLoginCurrent : public LaunchAtLoginTest {};

TEST_F(LaunchAtLoginCurrent, EnablingRegistersAfreshAndDisablingUnregisters) {
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(false);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(loginItemCalls(), (std::vector<std::string>{"register ok", "unregister ok",
                                                          "register ok", "unregister ok"}));
    EXPECT_TRUE(logLines().empty());
}

TEST_F(LaunchAtLoginCurrent, ARefusalIsLoggedAndTheSystemStateIsReported) {
    for (const auto& [write, said] :
         {std::pair{true, "Failed to enable launch at login: Operation not permitted"},
          std::pair{false, "Failed to disable launch at login: Operation not permitted"}}) {
        clearTrace();
        sim.loginItems.failNext("Operation not permitted");
        LaunchAtLogin::setEnabled(write);
        EXPECT_EQ(LaunchAtLogin::isEnabled(), !write);
        EXPECT_EQ(logLines(), std::vector<std::string>{said});
        LaunchAtLogin::setEnabled(true); // enabled before the refused disabling
    }
}

TEST_F(LaunchAtLoginCurrent, AFailedUnregistrationBeforeRegisteringAgainIsIgnored) {
    LaunchAtLogin::setEnabled(true);
    sim.loginItems.failNext("busy");
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(loginItemCalls(),
              (std::vector<std::string>{"register ok", "unregister error", "register ok"}));
}

TEST_F(LaunchAtLoginCurrent, ObserversHearEveryWriteAndReadTheNewStateAfterwards) {
    std::vector<std::string> heard;
    auto observation = LaunchAtLogin::kvo().addObserver([&](std::string_view key, Change change) {
        const bool enabled = LaunchAtLogin::kvo().isEnabled();
        heard.push_back(std::string(key) + (change == Change::WillChange ? " will " : " did ") +
                        (enabled ? "on" : "off"));
    });
    LaunchAtLogin::kvo().setEnabled(true);
    sim.loginItems.failNext("refused");
    LaunchAtLogin::setEnabled(false);
    EXPECT_EQ(heard, (std::vector<std::string>{"isEnabled will off", "isEnabled did on",
                                               "isEnabled will on", "isEnabled did on"}));

    observation.reset();
    LaunchAtLogin::setEnabled(false);
    EXPECT_EQ(heard.size(), 4u);
}

class LaunchAtLoginLegacy : public LaunchAtLoginTest {
  protected:
    LaunchAtLoginLegacy() : LaunchAtLoginTest(12, 6) {}
};

TEST_F(LaunchAtLoginLegacy, EnablingTurnsOnTheHelperNamedAfterTheBundleAndIsObserved) {
    int heard = 0;
    auto observation = LaunchAtLogin::kvo().addObserver([&](std::string_view, Change) { ++heard; });
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(heard, 2);
    const auto lines = traceLines("login-item");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["op"], "enable-helper");
    EXPECT_EQ(lines[0]["identifier"], "org.wigglet.Wigglet-LaunchAtLoginHelper");

    LaunchAtLogin::setEnabled(false);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(loginItemCalls(),
              (std::vector<std::string>{"enable-helper ok", "disable-helper ok"}));
}

TEST_F(LaunchAtLoginLegacy, ARefusedChangeIsNotReportedAndReadsAsTheJobListSays) {
    sim.loginItems.failNext("refused");
    LaunchAtLogin::setEnabled(true);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    EXPECT_TRUE(logLines().empty());
}

} // namespace
