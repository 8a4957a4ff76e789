#include "platform/linux/posix/SyslogSystemInfo.h"

#include "ScopedVariable.h"

#include <gtest/gtest.h>

using namespace wigglet;
using wigglet::desktop::SyslogSystemInfo;

TEST(SyslogSystemInfo, TheLocaleVariablesAreTheEnvironments) {
    const wigglet::testing::ScopedVariable language("LANGUAGE", "pt_BR:pt");
    const wigglet::testing::ScopedVariable all("LC_ALL", nullptr);
    const wigglet::testing::ScopedVariable messages("LC_MESSAGES", "fr_FR.UTF-8");
    const wigglet::testing::ScopedVariable lang("LANG", "de_DE.UTF-8");
    const LocaleVariables read = SyslogSystemInfo().localeVariables();
    EXPECT_EQ(read.language, "pt_BR:pt");
    EXPECT_EQ(read.all, "");
    EXPECT_EQ(read.messages, "fr_FR.UTF-8");
    EXPECT_EQ(read.lang, "de_DE.UTF-8");
}
