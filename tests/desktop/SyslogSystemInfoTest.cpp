#include "platform/linux/posix/SyslogSystemInfo.h"

#include "support/TracedPlatform.h"

#include <gtest/gtest.h>

using namespace wigglet;
using wigglet::desktop::SyslogSystemInfo;
using wigglet::testing::TracedPlatform;

TEST(SyslogSystemInfo, BundleValuesComeFromTheBuild) {
    SyslogSystemInfo system;
    EXPECT_EQ(system.bundleValue("CFBundleShortVersionString"), WIGGLET_VERSION);
    EXPECT_EQ(system.bundleValue("CFBundleIdentifier"), "org.wigglet.Wigglet");
    EXPECT_EQ(system.bundleValue("NoSuchKey"), std::nullopt);
}

TEST(SyslogSystemInfo, LogEntriesAreTraced) {
    SyslogSystemInfo system;
    PlatformServices services;
    services.system = &system;
    TracedPlatform platform(services);
    system.log(LogLevel::Error, "Failed to enable launch at login: test");
    const auto lines = platform.lines("log");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["level"], "error");
    EXPECT_EQ(lines[0]["text"], "Failed to enable launch at login: test");
}
