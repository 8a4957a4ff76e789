#include "system/LaunchAtLogin.h"

#include "SimFixture.h"

namespace {

using wigglet::LaunchAtLogin;
using Change = LaunchAtLogin::KVO::Change;
using Lines = std::vector<std::string>;

class LaunchAtLoginTest : public wigglet::test::SimFixture {
  protected:
    // The login-item calls made, as "op result", and the errors logged.
    Lines loginItemCalls() const {
        Lines calls;
        for (const auto& line : traceLines("login-item"))
            calls.push_back(line["op"].get<std::string>() + " " +
                            line["result"].get<std::string>());
        return calls;
    }
    Lines errors() const {
        Lines texts;
        for (const auto& line : traceLines("log", "level", "error"))
            texts.push_back(line["text"]);
        return texts;
    }
};

// From 13.0 the application registers itself, afresh at each enabling; a refusal is logged
// and the system's state reported, but not a refused unregistration before registering again.
TEST_F(LaunchAtLoginTest, TheApplicationOrOnOlderSystemsItsHelperRegisters) {
    sim.world.version = {13, 0, 0};
    Lines heard;
    auto observation = LaunchAtLogin::kvo().addObserver([&](std::string_view key, Change change) {
        heard.push_back(std::string(key) + (change == Change::WillChange ? " will " : " did ") +
                        (LaunchAtLogin::kvo().isEnabled() ? "on" : "off"));
    });
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    sim.loginItems.failNext("busy");
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    EXPECT_TRUE(errors().empty());
    sim.loginItems.failNext("Operation not permitted");
    LaunchAtLogin::setEnabled(false);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(false);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    sim.loginItems.failNext("Operation not permitted");
    observation.reset();
    LaunchAtLogin::setEnabled(true);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());

    EXPECT_EQ(loginItemCalls(), (Lines{"register ok", "unregister error", "register ok",
                                       "unregister error", "unregister ok", "register error"}));
    EXPECT_EQ(errors(), (Lines{"Failed to disable launch at login: Operation not permitted",
                               "Failed to enable launch at login: Operation not permitted"}));
    EXPECT_EQ(heard, (Lines{"isEnabled will off", "isEnabled did on", "isEnabled will on",
                            "isEnabled did on", "isEnabled will on", "isEnabled did on",
                            "isEnabled will on", "isEnabled did off"}));

    // Before 13.0 a helper named after the bundle is turned on and off; a refusal is not
    // reported.
    clearTrace();
    sim.world.version = {12, 6, 0};
    sim.loginItems.failNext("refused");
    LaunchAtLogin::setEnabled(true);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(true);
    EXPECT_TRUE(LaunchAtLogin::isEnabled());
    LaunchAtLogin::setEnabled(false);
    EXPECT_FALSE(LaunchAtLogin::isEnabled());
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(loginItemCalls(),
              (Lines{"enable-helper error", "enable-helper ok", "disable-helper ok"}));
    EXPECT_EQ(traceLines("login-item")[1]["identifier"], "org.wigglet.Wigglet-LaunchAtLoginHelper");
}

} // namespace
