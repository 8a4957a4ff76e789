#include "platform/linux/posix/SyslogSystemInfo.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace wigglet;
using wigglet::desktop::SyslogSystemInfo;

TEST(SyslogSystemInfo, BundleValuesComeFromTheBuild) {
    SyslogSystemInfo system;
    EXPECT_EQ(system.bundleValue("CFBundleShortVersionString"), WIGGLET_VERSION);
    EXPECT_EQ(system.bundleValue("CFBundleIdentifier"), "org.wigglet.Wigglet");
    EXPECT_EQ(system.bundleValue("NoSuchKey"), std::nullopt);
}

TEST(SyslogSystemInfo, TheLocaleVariablesAreTheEnvironments) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    ::setenv("LANGUAGE", "pt_BR:pt", 1);
    ::unsetenv("LC_ALL");
    ::setenv("LC_MESSAGES", "fr_FR.UTF-8", 1);
    ::setenv("LANG", "de_DE.UTF-8", 1);
    const LocaleVariables read = SyslogSystemInfo().localeVariables();
    for (std::size_t i = 0; i < saved.size(); ++i)
        if (saved[i])
            ::setenv(names[i], saved[i]->c_str(), 1);
        else
            ::unsetenv(names[i]);
    EXPECT_EQ(read.language, "pt_BR:pt");
    EXPECT_EQ(read.all, "");
    EXPECT_EQ(read.messages, "fr_FR.UTF-8");
    EXPECT_EQ(read.lang, "de_DE.UTF-8");
}
