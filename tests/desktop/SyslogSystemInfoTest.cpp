#include "platform/linux/posix/SyslogSystemInfo.h"

#include <gtest/gtest.h>

using namespace wigglet;
using wigglet::desktop::SyslogSystemInfo;

TEST(SyslogSystemInfo, BundleValuesComeFromTheBuild) {
    SyslogSystemInfo system;
    EXPECT_EQ(system.bundleValue("CFBundleShortVersionString"), WIGGLET_VERSION);
    EXPECT_EQ(system.bundleValue("CFBundleIdentifier"), "org.wigglet.Wigglet");
    EXPECT_EQ(system.bundleValue("NoSuchKey"), std::nullopt);
}
