#include "ScopedVariable.h"
#include "SettingsStoreTestSupport.h"
#include "SimFixture.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace wigglet {
namespace {

using nlohmann::json;
using testing::entriesStartingWith;
using testing::readFile;
using testing::readJson;
using testing::ScopedVariable;
using testing::TemporaryFolder;
using testing::writeFile;
namespace fs = std::filesystem;

bool mentions(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// A settings file in a folder of its own, with the program's log read from the trace.
class SettingsStoreFile : public test::SimFixture {
  protected:
    std::size_t logged(const char* level) const { return traceLines("log", "level", level).size(); }
    std::string logText(std::size_t i) const { return traceLines("log").at(i).at("text"); }

    TemporaryFolder folder;
    const fs::path path = folder / "settings.json";
};

// A store that is only read creates nothing; a write makes an open file the user's alone; the
// temporary files of a dead writer are cleared once old.
TEST_F(SettingsStoreFile, OnlyWritesTouchTheFolderAndTheyLeaveItTidy) {
    SettingsStore reader(folder / "config" / "wigglet" / "settings.json");
    EXPECT_FALSE(reader.boolForKey(SettingsKey::shakeEnabled));
    EXPECT_TRUE(reader.synchronize());
    EXPECT_FALSE(fs::exists(folder / "config"));

    const auto old = folder / "settings.json.tmp-AbC123";
    const auto fresh = folder / "settings.json.tmp-XyZ789";
    writeFile(old, "{\"half");
    writeFile(fresh, "{\"half");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(2));
    writeFile(path, "{}");
    fs::permissions(path, fs::perms(0644));
    SettingsStore store(path);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(fresh));
    store.setBool(SettingsKey::clickEnabled, true);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600));
}

TEST_F(SettingsStoreFile, SomeoneElsesChangeIsSeenAtTheNextRead) {
    const struct {
        const char* behaviour;
        void (*edit)(const fs::path& path);
        bool shakeEnabled;
        std::int64_t statusIconIndex;
    } rows[] = {
        {"an editor that saves through a new file is seen",
         [](const fs::path& path) {
             writeFile(path.string() + ".new", R"({"shakeEnabled": false, "statusIconIndex": 2})");
             fs::rename(path.string() + ".new", path);
         },
         false, 2},
        {"an edit in place is seen",
         [](const fs::path& path) {
             writeFile(path, R"({"shakeEnabled": true, "statusIconIndex": 3, "more": "text"})");
         },
         true, 3},
        {"a removed file reads as an empty store", [](const fs::path& path) { fs::remove(path); },
         false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        SettingsStore store(path);
        store.setBool(SettingsKey::shakeEnabled, true);
        store.setInteger(SettingsKey::statusIconIndex, 1);
        ASSERT_EQ(store.integerForKey(SettingsKey::statusIconIndex), 1);
        row.edit(path);
        EXPECT_EQ(store.boolForKey(SettingsKey::shakeEnabled), row.shakeEnabled);
        EXPECT_EQ(store.integerForKey(SettingsKey::statusIconIndex), row.statusIconIndex);
    }
}

// Each one is set aside beside those before it.
TEST_F(SettingsStoreFile, ACorruptFileIsMovedAsideReportedOnceAndTheStoreStartsEmpty) {
    std::size_t round = 0;
    for (const std::string contents :
         {"this is not JSON", "{\"shakeEnabled\": tru", "[true, 1]", "", "\"text\"", "{} {}"}) {
        SCOPED_TRACE(contents);
        clearTrace();
        writeFile(path, contents);

        SettingsStore store(path);
        EXPECT_FALSE(store.boolForKey(SettingsKey::shakeEnabled));
        EXPECT_EQ(store.snapshot(), json::object());

        auto aside = entriesStartingWith(folder.path(), "settings.json.corrupt-");
        ASSERT_EQ(aside.size(), ++round);
        std::erase_if(aside, [&](const fs::path& file) { return readFile(file) != contents; });
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_FALSE(fs::exists(path));
        ASSERT_EQ(logged("error"), 1u);
        EXPECT_TRUE(mentions(logText(0), aside[0].string()));

        store.setBool(SettingsKey::shakeEnabled, true);
        EXPECT_EQ(readJson(path), (json{{"shakeEnabled", true}}));
        EXPECT_EQ(readFile(aside[0]), contents);
        EXPECT_EQ(traceLines("log").size(), 1u);
    }
}

TEST(SettingsStoreWithoutPlatform, TheWarningGoesToStandardError) {
    TemporaryFolder folder;
    const auto path = folder / "settings.json";
    writeFile(path, "not JSON");
    ::testing::internal::CaptureStderr();
    SettingsStore store(path);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mentions(said, "settings.json.corrupt-"));
}

// A disk that fills up: a file-size limit makes every write past it fail as a full disk would.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    sighandler_t previousHandler_ = SIG_DFL;
};

// The edit on disk comes while the writes fail; the unsaved values win over it. That the old
// file stays whole when a write breaks off is what makes a crash at any moment harmless.
TEST_F(SettingsStoreFile, AFullDiskKeepsTheOldFileAndTheUnsavedValues) {
    SettingsStore store(path);
    store.setInteger(SettingsKey::statusIconIndex, 1);
    const std::string before = readFile(path).value();
    const std::string large(4096, 'x');

    std::optional<FileSizeLimit> full(std::in_place, 1024);
    store.putRaw("large", large); // untraced: the trace file has the same limit
    store.setInteger(SettingsKey::statusIconIndex, 2);
    store.removeObject("gone");
    EXPECT_FALSE(store.synchronize());
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(entriesStartingWith(folder.path(), "settings.json.tmp-").size(), 0u);
    writeFile(path, R"({"statusIconIndex": 9, "gone": 1, "fromElsewhere": 5, "padding": "..."})");
    EXPECT_EQ(store.integerForKey(SettingsKey::statusIconIndex), 2);
    EXPECT_EQ(store.integerForKey("fromElsewhere"), 5);
    EXPECT_EQ(store.integerForKey("gone"), 0);
    full.reset();
    EXPECT_EQ(logged("error"), 1u);

    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(
        readJson(path),
        (json{{"statusIconIndex", 2}, {"fromElsewhere", 5}, {"padding", "..."}, {"large", large}}));
    EXPECT_EQ(logged("info"), 1u);
}

TEST_F(SettingsStoreFile, AnUnreadableFileIsKeptAndEachProblemIsReportedOnce) {
    fs::create_directory(path);
    writeFile(path / "inside", "kept");
    SettingsStore store(path);
    store.setBool(SettingsKey::shakeEnabled, true);
    store.setBool(SettingsKey::clickEnabled, true);
    EXPECT_TRUE(store.boolForKey(SettingsKey::shakeEnabled));
    EXPECT_FALSE(store.synchronize());
    EXPECT_EQ(readFile(path / "inside"), "kept");
    EXPECT_EQ(logged("error"), 2u);
    EXPECT_TRUE(mentions(logText(0), "Cannot read"));
}

TEST_F(SettingsStoreFile, AFifoInTheFilesPlaceNeitherHangsTheProgramNorIsReplaced) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    SettingsStore store(path);
    store.setBool(SettingsKey::shakeEnabled, true);
    EXPECT_TRUE(store.boolForKey(SettingsKey::shakeEnabled));
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(SettingsStoreFile, TheUsersOwnSymbolicLinkIsFollowedAndKept) {
    fs::create_directory(folder / "real");
    const auto target = folder / "real" / "settings.json";
    writeFile(target, R"({"shakeEnabled": true})");
    fs::create_symlink(fs::path("real") / "settings.json", path);

    SettingsStore store(path);
    EXPECT_TRUE(store.boolForKey(SettingsKey::shakeEnabled));
    store.setBool(SettingsKey::clickEnabled, true);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readJson(target), (json{{"shakeEnabled", true}, {"clickEnabled", true}}));
}

TEST(SettingsStoreDefaultPath, FollowsTheXdgRules) {
    const struct {
        const char* behaviour;
        const char* xdgConfigHome;
        const char* expected;
    } rows[] = {
        {"XDG_CONFIG_HOME is used when set", "/x/config", "/x/config/wigglet/settings.json"},
        {"an unset XDG_CONFIG_HOME means ~/.config", nullptr,
         "/home/u/.config/wigglet/settings.json"},
        {"an empty XDG_CONFIG_HOME means ~/.config", "", "/home/u/.config/wigglet/settings.json"},
        {"a relative XDG_CONFIG_HOME is ignored", "config",
         "/home/u/.config/wigglet/settings.json"},
    };
    const ScopedVariable home("HOME", "/home/u");
    for (const auto& row : rows) {
        const ScopedVariable xdg("XDG_CONFIG_HOME", row.xdgConfigHome);
        EXPECT_EQ(SettingsStore::defaultPath(), fs::path(row.expected)) << row.behaviour;
    }
}

} // namespace
} // namespace wigglet
