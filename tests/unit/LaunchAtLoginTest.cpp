#include "system/LaunchAtLogin.h"

#include "SystemTestTrace.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using wigglet::LaunchAtLogin;
using Change = LaunchAtLogin::KVO::Change;

class LaunchAtLoginTest : public ::testing::Test {
  protected:
    explicit LaunchAtLoginTest(int major = 14) { sim.world.version = {major, 0, 0}; }

    // The login-item calls made, as "op result".
    std::vector<std::string> loginItemCalls() {
        std::vector<std::string> calls;
        for (const auto& line : trace.lines("login-item"))
            calls.push_back(line["op"].get<std::string>() + " " +
                            line["result"].get<std::string>());
        return calls;
    }
    std::vector<std::string> logLines() {
        std::vector<std::string> texts;
        for (const auto& line : trace.lines("log")) {
            EXPECT_EQ(line["level"], "error");
            texts.push_back(line["text"]);
        }
        return texts;
    }

    wigglet::sim::SimPlatform sim;
    wigglet::PlatformScope scope{sim.platform()};
    wigglet::testing::SystemTestTrace trace{sim};
};

class LaunchAtLoginCurrent : public LaunchAtLoginTest {};

TEST_F(LaunchAtLoginCurrent, EnablingRegistersTheApplicationItself) {
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(loginItemCalls(), (std::vector<std::string>{"register ok"}));
    EXPECT_TRUE(logLines().empty());
}

TEST_F(LaunchAtLoginCurrent, EnablingWhileRegisteredRegistersAfresh) {
    LaunchAtLogin::setEnabled(true);
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(loginItemCalls(),
              (std::vector<std::string>{"register ok", "unregister ok", "register ok"}));
}

TEST_F(LaunchAtLoginCurrent, DisablingUnregisters) {
    LaunchAtLogin::setEnabled(true);
    LaunchAtLogin::setEnabled(false);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    EXPECT_EQ(loginItemCalls(), (std::vector<std::string>{"register ok", "unregister ok"}));
}

TEST_F(LaunchAtLoginCurrent, RefusalsAreLoggedAndTheSystemStateIsReported) {
    const struct {
        const char* behaviour;
        bool enabledBefore;
        bool write;
        std::string expectedLog;
    } rows[] = {
        {"a refused registration logs enable", false, true,
         "Failed to enable launch at login: Operation not permitted"},
        {"a refused unregistration logs disable", true, false,
         "Failed to disable launch at login: Operation not permitted"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        wigglet::sim::SimPlatform fresh;
        wigglet::PlatformScope freshScope(fresh.platform());
        wigglet::testing::SystemTestTrace freshTrace(fresh);
        if (row.enabledBefore)
            LaunchAtLogin::setEnabled(true);
        fresh.loginItems.failNext("Operation not permitted");
        LaunchAtLogin::setEnabled(row.write);
        EXPECT_EQ(LaunchAtLogin::isEnabled(), row.enabledBefore);
        const auto logs = freshTrace.lines("log");
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_EQ(logs[0]["level"], "error");
        EXPECT_EQ(logs[0]["text"], row.expectedLog);
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

TEST_F(LaunchAtLoginCurrent, ThereIsOneObservableInstance) {
    EXPECT_EQ(&LaunchAtLogin::kvo(), &LaunchAtLogin::kvo());
    LaunchAtLogin::kvo().setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_TRUE(LaunchAtLogin::kvo().isEnabled());
}

class LaunchAtLoginLegacy : public LaunchAtLoginTest {
  protected:
    LaunchAtLoginLegacy() : LaunchAtLoginTest(12) {}
};

TEST_F(LaunchAtLoginLegacy, EnablingTurnsOnTheHelperNamedAfterTheBundle) {
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    const auto lines = trace.lines("login-item");
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

TEST_F(LaunchAtLoginLegacy, TheHelperIdentifierIsBuiltOncePerProcess) {
    sim.world.bundleIdentifier = "com.example.App";
    EXPECT_EQ(LaunchAtLogin::helperIdentifier(), "com.example.App-LaunchAtLoginHelper");
    sim.world.bundleIdentifier = "com.example.Other";
    EXPECT_EQ(LaunchAtLogin::helperIdentifier(), "com.example.App-LaunchAtLoginHelper");
    sim.endProcess();
    EXPECT_EQ(LaunchAtLogin::helperIdentifier(), "com.example.Other-LaunchAtLoginHelper");
}

TEST_F(LaunchAtLoginLegacy, ObserversHearWritesToo) {
    int heard = 0;
    auto observation = LaunchAtLogin::kvo().addObserver([&](std::string_view, Change) { ++heard; });
    LaunchAtLogin::setEnabled(true);
    EXPECT_EQ(heard, 2);
}

TEST(LaunchAtLoginMechanism, ChosenBySystemVersion) {
    const struct {
        const char* behaviour;
        int major;
        int minor;
        std::string op;
    } rows[] = {
        {"12.6 enables the helper", 12, 6, "enable-helper"},
        {"13.0 registers the application", 13, 0, "register"},
        {"15.1 registers the application", 15, 1, "register"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        wigglet::sim::SimPlatform sim;
        wigglet::PlatformScope scope(sim.platform());
        wigglet::testing::SystemTestTrace trace(sim);
        sim.world.version = {row.major, row.minor, 0};
        LaunchAtLogin::setEnabled(true);
        const auto lines = trace.lines("login-item");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0]["op"], row.op);
        EXPECT_TRUE(LaunchAtLogin::isEnabled());
    }
}

} // namespace
