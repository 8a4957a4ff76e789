#include "platform/linux/xdg/XdgAutostartLoginItems.h"

#include "TemporaryFolder.h"
#include "platform/linux/xdg/DesktopEntry.h"
#include "support/TracedPlatform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>

using namespace wigglet;
using wigglet::desktop::DesktopEntry;
using wigglet::desktop::XdgAutostartLoginItems;
using wigglet::testing::TemporaryFolder;
using wigglet::testing::TracedPlatform;

namespace {

constexpr const char* entryFile = "home/autostart/org.wigglet.Wigglet.desktop";
constexpr const char* legacyFile = "home/autostart/wigglet.desktop";
constexpr const char* systemFile = "etc/autostart/org.wigglet.Wigglet.desktop";

// Puts the variables back as they were when the test is over.
struct EnvironmentKept {
    std::vector<std::pair<const char*, std::optional<std::string>>> kept;
    explicit EnvironmentKept(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            kept.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~EnvironmentKept() {
        for (const auto& [name, value] : kept)
            value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
};

class XdgAutostartLoginItemsTest : public ::testing::Test {
  protected:
    XdgAutostartLoginItems items(const std::string& executable = "/usr/bin/wigglet") {
        return XdgAutostartLoginItems(executable,
                                      {folder_.path() / "home", {folder_.path() / "etc"}});
    }
    std::optional<DesktopEntry> entry(const char* file) const {
        return DesktopEntry::read(folder_.path() / file);
    }

    TemporaryFolder folder_;
};

TEST_F(XdgAutostartLoginItemsTest, EntriesOnDiskDecideWhetherWiggletStartsAtLogin) {
    struct Row {
        const char* behaviour;
        std::vector<std::pair<const char*, const char*>> files;
        int status;
    };
    const char* plain = "[Desktop Entry]\nType=Application\nExec=wigglet\n";
    const Row rows[] = {
        {"no entry is not registered", {}, 0},
        {"a user entry is registered", {{entryFile, plain}}, SMAppServiceStatusEnabled},
        {"a hidden user entry is not registered",
         {{entryFile, "[Desktop Entry]\nExec=wigglet\nHidden=true\n"}},
         0},
        {"an entry disabled for GNOME is not registered",
         {{entryFile, "[Desktop Entry]\nExec=wigglet\nX-GNOME-Autostart-enabled=false\n"}},
         0},
        {"an entry under the older name is registered",
         {{legacyFile, plain}},
         SMAppServiceStatusEnabled},
        {"a system-wide entry is registered", {{systemFile, plain}}, SMAppServiceStatusEnabled},
        {"a hidden user entry overrides a system-wide one",
         {{systemFile, plain}, {entryFile, "[Desktop Entry]\nHidden=true\n"}},
         0},
        {"keys of another group do not count",
         {{entryFile, "[Desktop Entry]\nExec=wigglet\n[Desktop Action x]\nHidden=true\n"}},
         SMAppServiceStatusEnabled},
    };
    for (const Row& row : rows) {
        TemporaryFolder folder;
        for (const auto& [file, text] : row.files)
            folder.write(file, text);
        XdgAutostartLoginItems items("/usr/bin/wigglet",
                                     {folder.path() / "home", {folder.path() / "etc"}});
        EXPECT_EQ(items.mainAppStatus(), row.status) << row.behaviour;
    }
}

TEST_F(XdgAutostartLoginItemsTest, RegisteringWritesAnEntryThatRunsTheProgram) {
    auto login = items("/opt/My Apps/wigglet");
    EXPECT_EQ(login.registerMainApp(), std::nullopt);
    EXPECT_EQ(login.mainAppStatus(), SMAppServiceStatusEnabled);
    const auto written = entry(entryFile);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->value("Type"), "Application");
    EXPECT_EQ(written->value("Exec"), "\"/opt/My Apps/wigglet\"");
    EXPECT_EQ(written->value("Icon"), "org.wigglet.Wigglet");
    EXPECT_EQ(written->value("X-GNOME-Autostart-enabled"), "true");
    EXPECT_TRUE(written->startsAtLogin());
    struct stat info {};
    ASSERT_EQ(::stat((folder_.path() / entryFile).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(XdgAutostartLoginItemsTest, RegisteringAndUnregisteringLeaveTheRightEntries) {
    struct Row {
        const char* behaviour;
        const char* before;              // an entry on disk before the calls
        std::vector<bool> registrations; // true registers, false unregisters
        int status;
        std::vector<std::string> files; // everything below the folder afterwards
    };
    const Row rows[] = {
        {"registering again keeps one entry",
         nullptr,
         {true, true},
         SMAppServiceStatusEnabled,
         {entryFile}},
        {"unregistering removes the entry", nullptr, {true, false}, 0, {}},
        {"unregistering what is not registered succeeds", nullptr, {false}, 0, {}},
        {"registering retires the entry of the older name",
         legacyFile,
         {true},
         SMAppServiceStatusEnabled,
         {entryFile}},
        {"unregistering hides a system-wide entry",
         systemFile,
         {false},
         0,
         {systemFile, entryFile}},
    };
    for (const Row& row : rows) {
        TemporaryFolder folder;
        if (row.before)
            folder.write(row.before, "[Desktop Entry]\nExec=wigglet\n");
        XdgAutostartLoginItems login("/usr/bin/wigglet",
                                     {folder.path() / "home", {folder.path() / "etc"}});
        for (const bool registers : row.registrations)
            EXPECT_EQ(registers ? login.registerMainApp() : login.unregisterMainApp(), std::nullopt)
                << row.behaviour;
        EXPECT_EQ(login.mainAppStatus(), row.status) << row.behaviour;
        std::vector<std::string> files;
        for (const auto& file : std::filesystem::recursive_directory_iterator(folder.path()))
            if (file.is_regular_file())
                files.push_back(std::filesystem::relative(file.path(), folder.path()));
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, row.files) << row.behaviour;
        if (row.before == systemFile) {
            EXPECT_EQ(DesktopEntry::read(folder / entryFile)->value("Hidden"), "true");
        }
    }
}

TEST_F(XdgAutostartLoginItemsTest, FolderThatCannotBeWrittenGivesTheReason) {
    // A file where the configuration folder should be: no user can create folders below it.
    folder_.write("home", "not a folder");
    auto login = items();
    TracedPlatform platform(PlatformServices{});
    const auto failure = login.registerMainApp();
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find((folder_.path() / "home").string()), std::string::npos) << *failure;
    EXPECT_EQ(login.mainAppStatus(), 0);
    const auto lines = platform.lines("login-item");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["result"], "error");
    EXPECT_EQ(lines[0]["reason"], *failure);
}

TEST_F(XdgAutostartLoginItemsTest, SessionFoldersFollowTheEnvironment) {
    const EnvironmentKept kept({"HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"});
    ::setenv("XDG_CONFIG_HOME", "/custom/config", 1);
    ::setenv("XDG_CONFIG_DIRS", "/a/xdg:relative/ignored:/b/xdg", 1);
    const auto folders = XdgAutostartLoginItems::sessionFolders();
    EXPECT_EQ(folders.configHome, "/custom/config");
    EXPECT_EQ(folders.configDirs, (std::vector<std::filesystem::path>{"/a/xdg", "/b/xdg"}));
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_CONFIG_DIRS");
    ::setenv("HOME", "/home/someone", 1);
    const auto defaults = XdgAutostartLoginItems::sessionFolders();
    EXPECT_EQ(defaults.configHome, "/home/someone/.config");
    EXPECT_EQ(defaults.configDirs, (std::vector<std::filesystem::path>{"/etc/xdg"}));
}

TEST(DesktopEntry, ExecArgumentsAreQuotedSoThatTheSessionRunsThemVerbatim) {
    struct Row {
        const char* behaviour;
        std::string argument;
        std::string exec;
    };
    const Row rows[] = {
        {"a plain path stays as it is", "/usr/bin/wigglet", "/usr/bin/wigglet"},
        {"a dollar sign is escaped inside quotes", "/opt/$x/w", "\"/opt/\\\\$x/w\""},
        {"a backslash takes four", "/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
        {"a double quote is escaped inside quotes", "/opt/\"q\"", "\"/opt/\\\\\"q\\\\\"\""},
        {"a percent sign is doubled", "/opt/100%/w", "/opt/100%%/w"},
        {"an empty argument is a pair of quotes", "", "\"\""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DesktopEntry::execArgument(row.argument), row.exec) << row.behaviour;
}

} // namespace
