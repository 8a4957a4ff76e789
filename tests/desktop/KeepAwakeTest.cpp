#include "TemporaryFolder.h"
#include "platform/linux/DesktopPowerManagement.h"
#include "platform/linux/dbus/BusInhibitor.h"
#include "platform/linux/dbus/SessionBus.h"
#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/x11/XScreensaverDaemon.h"
#include "platform/linux/x11/XServerScreenSaver.h"
#include "platform/linux/x11/XTestEventSource.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeGnomeSession.h"
#include "support/FakePowerManagement.h"
#include "support/FakeScreenSaver.h"
#include "support/PrivateBus.h"
#include "support/TracedPlatform.h"
#include "support/XServerTest.h"

#include <QProcess>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr uint firstCookie = 42;

// The methods called on a fake, without their arguments past the first.
std::vector<QString> methods(const FakeScreenSaver& fake) {
    std::vector<QString> names;
    for (const QStringList& each : fake.calls())
        names.push_back(each.value(0));
    return names;
}

class KeepAwakeTest : public XServerTest {
  protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped())
            return;
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        if (!bus_)
            GTEST_SKIP() << whyNot;
        session_ = std::make_unique<SessionBus>(bus_->connect(QStringLiteral("wigglet")));
        saver_ = XServerScreenSaver::open(*connection_);
    }
    template <typename Fake> Fake& startService(const BusInhibitor::Service& service) {
        auto fake = std::make_unique<Fake>(firstCookie);
        Fake& ref = *fake;
        peers_.push_back(
            std::make_unique<BusPeer>(*bus_, service.name, service.path, std::move(fake)));
        EXPECT_TRUE(peers_.back()->isRegistered());
        return ref;
    }
    // Every mechanism an X11 desktop may offer, as the desktop puts them together.
    std::unique_ptr<DesktopPowerManagement> desktopPower() {
        screenSaver_ = std::make_unique<BusInhibitor>(BusInhibitor::screenSaver(), *session_);
        powerManager_ = std::make_unique<BusInhibitor>(BusInhibitor::powerManagement(), *session_);
        xscreensaver_ = std::make_unique<XScreensaverDaemon>(*connection_);
        return std::make_unique<DesktopPowerManagement>(std::vector<KeepAwakeMechanism*>{
            saver_.get(), xscreensaver_.get(), screenSaver_.get(), powerManager_.get()});
    }

    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<SessionBus> session_;
    std::vector<std::unique_ptr<BusPeer>> peers_;
    std::unique_ptr<XServerScreenSaver> saver_;
    std::unique_ptr<XScreensaverDaemon> xscreensaver_;
    std::unique_ptr<BusInhibitor> screenSaver_;
    std::unique_ptr<BusInhibitor> powerManager_;
};

// The power manager starts while the assertion is held, as a desktop's services may.
TEST_F(KeepAwakeTest, EverySessionServiceIsInhibitedWhileTheAssertionIsHeld) {
    FakeScreenSaver& screenSaver = startService<FakeScreenSaver>(BusInhibitor::screenSaver());
    auto power = desktopPower();

    const AssertionResult first = power->createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    const AssertionResult second = power->createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    EXPECT_EQ(first.result, kIOReturnSuccess);
    EXPECT_NE(first.id, second.id);
    FakePowerManagement& powerManager =
        startService<FakePowerManagement>(BusInhibitor::powerManagement());
    ASSERT_TRUE(runUntil([&] { return !powerManager.calls().empty(); }));
    power->releaseAssertion(first.id);
    power->declareUserActivity();
    power->releaseAssertion(second.id);
    power->releaseAssertion(second.id);

    // The screen saver is inhibited once, told of the activity, then released; the power
    // manager is inhibited once and released.
    ASSERT_TRUE(runUntil([&] { return screenSaver.calls().size() >= 3; }));
    ASSERT_TRUE(runUntil([&] { return powerManager.calls().size() >= 2; }));
    EXPECT_EQ(methods(screenSaver),
              (std::vector<QString>{"Inhibit", "SimulateUserActivity", "UnInhibit"}));
    EXPECT_EQ(methods(powerManager), (std::vector<QString>{"Inhibit", "UnInhibit"}));
    for (const FakeScreenSaver* service :
         {&screenSaver, static_cast<FakeScreenSaver*>(&powerManager)}) {
        EXPECT_EQ(service->calls()[0].value(1), "Wigglet");
        EXPECT_EQ(service->calls().back(), (QStringList{"UnInhibit", "42"}));
    }
}

// GNOME's own inhibitor: no window, the idle flag, released by its own method name.
TEST_F(KeepAwakeTest, GnomesSessionManagerIsInhibitedFromIdleUntilTheAssertionEnds) {
    FakeGnomeSession& gnome = startService<FakeGnomeSession>(BusInhibitor::gnomeSession());
    BusInhibitor inhibitor(BusInhibitor::gnomeSession(), *session_);
    DesktopPowerManagement power({&inhibitor});
    const AssertionResult held = power.createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    EXPECT_EQ(held.result, kIOReturnSuccess);
    power.declareUserActivity();
    power.releaseAssertion(held.id);
    ASSERT_TRUE(runUntil([&] { return gnome.calls().size() >= 3; }));
    const auto calls = gnome.calls();
    ASSERT_EQ(calls.size(), 3u) << "no activity method to call";
    EXPECT_EQ(calls[0].mid(0, 2), (QStringList{"Inhibit", "Wigglet"}));
    EXPECT_EQ(calls[1], (QStringList{"flags", "0", "8"}));
    EXPECT_EQ(calls[2], (QStringList{"Uninhibit", "42"}));
}

TEST_F(KeepAwakeTest, DeclaredActivityRestartsTheServersIdleCountButNotTheUsers) {
    auto power = desktopPower();
    XTestEventSource events(connection_.get());
    RealSleeper().sleepMicroseconds(300'000);

    power->declareUserActivity();
    Display* display = XOpenDisplay(displayName().c_str());
    ASSERT_NE(display, nullptr);
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    EXPECT_LT(info->idle, 100u) << "the server's count";
    XFree(info);
    XCloseDisplay(display);
    EXPECT_GE(events.secondsSinceLastInput(), 0.3) << "the user's idle time";
}

// xscreensaver's shortest timeout is a minute, so its blanking is forced here instead.
TEST_F(KeepAwakeTest, DeclaredActivityUnblanksXscreensaver) {
    TemporaryFolder home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(displayName()));
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.path().string()));
    const auto command = [&](const char* option) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("xscreensaver-command"), {QString::fromLatin1(option)});
        process.waitForFinished(5000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    QProcess daemon;
    daemon.setProcessEnvironment(environment);
    daemon.start(QStringLiteral("xscreensaver"), {QStringLiteral("-no-splash")});
    ASSERT_TRUE(daemon.waitForStarted(5000)) << "xscreensaver is in scripts/packages.txt";
    auto power = desktopPower();
    const auto blanked = [&] { return command("-time").contains(QStringLiteral(" blanked")); };

    ASSERT_TRUE(runUntil([&] { return command("-time").contains(QStringLiteral("non-blanked")); }))
        << "xscreensaver did not start";
    command("-activate");
    ASSERT_TRUE(runUntil(blanked)) << "forced blanking";
    RealSleeper().sleepMicroseconds(500'000);
    EXPECT_TRUE(blanked()) << "stays blank without Wigglet";

    power->declareUserActivity();
    EXPECT_TRUE(runUntil([&] { return !blanked(); })) << "unblanked by the declared activity";
    daemon.terminate();
    daemon.waitForFinished(5000);
}

TEST(KeepAwakeWithoutDesktop, NothingCanBeHeldOrDeclared) {
    DesktopPowerManagement power({});
    PlatformServices services;
    services.power = &power;
    TracedPlatform platform(services);
    const auto held = power.createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    EXPECT_EQ(held.result, kIOReturnAborted);
    EXPECT_EQ(held.id, 0u);
    power.releaseAssertion(held.id);
    power.declareUserActivity();
    EXPECT_TRUE(platform.lines("user-activity").empty());
    EXPECT_EQ(platform.lines("assertion").size(), 2u);
    EXPECT_NE(power.beginActivity(0x00EFFFFF, "activity needs to be maintained"), nullptr);
}

} // namespace
