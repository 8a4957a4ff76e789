#include "platform/linux/xdg/XdgAutostartLoginItems.h"

#include "ScopedVariable.h"
#include "TemporaryFolder.h"
#include "platform/linux/xdg/DesktopEntry.h"
#include "support/TracedPlatform.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr const char* user = "home/autostart/org.wigglet.Wigglet.desktop";
constexpr const char* legacy = "home/autostart/wigglet.desktop";
constexpr const char* systemWide = "etc/autostart/org.wigglet.Wigglet.desktop";

XdgAutostartLoginItems loginItems(const TemporaryFolder& folder,
                                  const std::string& executable = "/usr/bin/wigglet") {
    return XdgAutostartLoginItems(executable, {folder / "home", {folder / "etc"}});
}

// Reading never writes: the files afterwards are those before unless the calls change them.
TEST(XdgAutostartLoginItems, TheEntriesAndTheCallsDecideWhetherWiggletStartsAtLogin) {
    using Entries = std::vector<std::pair<const char*, const char*>>; // file, lines of the entry
    const char* plain = "Type=Application\nExec=wigglet";
    const char* hidden = "Exec=wigglet\nHidden=true";
    const char* offForGnome = "Exec=wigglet\nX-GNOME-Autostart-enabled=false";
    const char* hiddenInAnotherGroup = "Exec=wigglet\n[Desktop Action x]\nHidden=true";
    const int on = SMAppServiceStatusEnabled;
    const struct {
        const char* behaviour;
        Entries before;
        const char* calls; // + registers, - unregisters
        int status;
        std::vector<std::string> after; // everything below the folder
    } rows[] = {
        {"no entry is not registered", {}, "", 0, {}},
        {"a user entry is registered", {{user, plain}}, "", on, {user}},
        {"a hidden user entry is not registered", {{user, hidden}}, "", 0, {user}},
        {"an entry disabled for GNOME is not registered", {{user, offForGnome}}, "", 0, {user}},
        {"an entry under the older name is registered", {{legacy, plain}}, "", on, {legacy}},
        {"a system-wide entry is registered", {{systemWide, plain}}, "", on, {systemWide}},
        {"a hidden user entry overrides a system-wide one",
         {{systemWide, plain}, {user, "Hidden=true"}},
         "",
         0,
         {systemWide, user}},
        {"keys of another group do not count", {{user, hiddenInAnotherGroup}}, "", on, {user}},
        {"registering again keeps one entry", {}, "++", on, {user}},
        {"unregistering removes the entry", {}, "+-", 0, {}},
        {"unregistering what is not registered succeeds", {}, "-", 0, {}},
        {"registering retires the entry of the older name", {{legacy, plain}}, "+", on, {user}},
        {"unregistering hides a system-wide entry",
         {{systemWide, plain}},
         "-",
         0,
         {systemWide, user}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        TemporaryFolder folder;
        for (const auto& [file, lines] : row.before)
            folder.write(file, std::string("[Desktop Entry]\n") + lines + "\n");
        auto login = loginItems(folder);
        for (const char* call = row.calls; *call; ++call)
            EXPECT_EQ(*call == '+' ? login.registerMainApp() : login.unregisterMainApp(),
                      std::nullopt);
        EXPECT_EQ(login.mainAppStatus(), row.status);
        std::vector<std::string> files;
        for (const auto& file : std::filesystem::recursive_directory_iterator(folder.path()))
            if (file.is_regular_file())
                files.push_back(std::filesystem::relative(file.path(), folder.path()));
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, row.after);
    }
}

TEST(XdgAutostartLoginItems, RegisteringWritesAnEntryThatRunsTheProgram) {
    TemporaryFolder folder;
    auto login = loginItems(folder, "/opt/My Apps/wigglet");
    EXPECT_EQ(login.registerMainApp(), std::nullopt);
    const auto written = DesktopEntry::read(folder / user);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->value("Type"), "Application");
    EXPECT_EQ(written->value("Exec"), "\"/opt/My Apps/wigglet\"");
    EXPECT_EQ(written->value("Icon"), "org.wigglet.Wigglet");
    EXPECT_EQ(written->value("X-GNOME-Autostart-enabled"), "true");
    EXPECT_TRUE(written->startsAtLogin());
    EXPECT_EQ(std::filesystem::status(folder / user).permissions(), std::filesystem::perms(0644));
}

TEST(XdgAutostartLoginItems, FolderThatCannotBeWrittenGivesTheReason) {
    // A file where the configuration folder should be: no user can create folders below it.
    TemporaryFolder folder;
    folder.write("home", "not a folder");
    auto login = loginItems(folder);
    TracedPlatform platform(PlatformServices{});
    const auto failure = login.registerMainApp();
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find((folder / "home").string()), std::string::npos) << *failure;
    EXPECT_EQ(login.mainAppStatus(), 0);
    const auto lines = platform.lines("login-item");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["result"], "error");
    EXPECT_EQ(lines[0]["reason"], *failure);
}

TEST(XdgAutostartLoginItems, SessionFoldersFollowTheEnvironment) {
    const ScopedVariable home("HOME", "/home/someone");
    {
        const ScopedVariable configHome("XDG_CONFIG_HOME", "/custom/config");
        const ScopedVariable configDirs("XDG_CONFIG_DIRS", "/a/xdg:relative/ignored:/b/xdg");
        const auto folders = XdgAutostartLoginItems::sessionFolders();
        EXPECT_EQ(folders.configHome, "/custom/config");
        EXPECT_EQ(folders.configDirs, (std::vector<std::filesystem::path>{"/a/xdg", "/b/xdg"}));
    }
    const ScopedVariable configHome("XDG_CONFIG_HOME", nullptr);
    const ScopedVariable configDirs("XDG_CONFIG_DIRS", nullptr);
    const auto defaults = XdgAutostartLoginItems::sessionFolders();
    EXPECT_EQ(defaults.configHome, "/home/someone/.config");
    EXPECT_EQ(defaults.configDirs, (std::vector<std::filesystem::path>{"/etc/xdg"}));
}

TEST(DesktopEntry, ExecArgumentsAreQuotedSoThatTheSessionRunsThemVerbatim) {
    const struct {
        const char* behaviour;
        std::string argument;
        std::string exec;
    } rows[] = {
        {"a plain path stays as it is", "/usr/bin/wigglet", "/usr/bin/wigglet"},
        {"a dollar sign is escaped inside quotes", "/opt/$x/w", "\"/opt/\\\\$x/w\""},
        {"a backslash takes four", "/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
        {"a double quote is escaped inside quotes", "/opt/\"q\"", "\"/opt/\\\\\"q\\\\\"\""},
        {"a percent sign is doubled", "/opt/100%/w", "/opt/100%%/w"},
        {"an empty argument is a pair of quotes", "", "\"\""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DesktopEntry::execArgument(row.argument), row.exec) << row.behaviour;
}

} // namespace
