#include "platform/linux/xdg/XdgAutostartLoginItems.h"

#include "platform/linux/ApplicationId.h"
#include "platform/linux/xdg/DesktopEntry.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

const std::string entryName = std::string(applicationId) + ".desktop";
const std::string legacyEntryName = "wigglet.desktop";

std::string reason(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::generic_category().message(error);
}

// 0, or the errno of the write that failed.
int writeAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// Temporary file in the same folder, synced, then renamed over the entry: a session that
// reads the folder at any moment sees the old entry or the new one, never a part.
std::optional<std::string> replaceFile(const std::filesystem::path& path, const std::string& text) {
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return reason(path, errno);
    int error = writeAll(fd, text);
    if (!error && (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        return reason(path, error);
    }
    if (const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

XdgAutostartLoginItems::Folders XdgAutostartLoginItems::sessionFolders() {
    Folders folders;
    folders.configHome = environmentPath("XDG_CONFIG_HOME");
    if (folders.configHome.empty())
        folders.configHome = environmentPath("HOME") / ".config";
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::istringstream list(dirs && *dirs ? dirs : "/etc/xdg");
    for (std::string dir; std::getline(list, dir, ':');)
        if (!dir.empty() && dir.front() == '/')
            folders.configDirs.emplace_back(dir);
    return folders;
}

XdgAutostartLoginItems::XdgAutostartLoginItems(std::string executable, Folders folders)
    : executable_(std::move(executable)), folders_(std::move(folders)) {}

int XdgAutostartLoginItems::mainAppStatus() {
    return startsAtLogin(entryName) || startsAtLogin(legacyEntryName) ? SMAppServiceStatusEnabled
                                                                      : 0;
}

std::optional<std::string> XdgAutostartLoginItems::doRegisterMainApp() {
    DesktopEntry entry;
    entry.set("Type", "Application");
    entry.set("Name", applicationName);
    entry.set("Comment", "Keeps the session awake while you are away");
    entry.set("Exec", DesktopEntry::execArgument(executable_));
    entry.set("Icon", applicationId);
    entry.set("Terminal", "false");
    entry.set("X-GNOME-Autostart-enabled", "true");
    if (auto failure = writeEntry(entryName, entry))
        return failure;
    return stopStarting(legacyEntryName);
}

std::optional<std::string> XdgAutostartLoginItems::doUnregisterMainApp() {
    if (auto failure = stopStarting(entryName))
        return failure;
    return stopStarting(legacyEntryName);
}

std::filesystem::path XdgAutostartLoginItems::userEntryPath(const std::string& fileName) const {
    return folders_.configHome / "autostart" / fileName;
}

std::optional<DesktopEntry> XdgAutostartLoginItems::systemEntry(const std::string& fileName) const {
    for (const auto& dir : folders_.configDirs)
        if (auto entry = DesktopEntry::read(dir / "autostart" / fileName))
            return entry;
    return std::nullopt;
}

bool XdgAutostartLoginItems::startsAtLogin(const std::string& fileName) const {
    // The user's entry of a name replaces the system's entries of the same name.
    auto entry = DesktopEntry::read(userEntryPath(fileName));
    if (!entry)
        entry = systemEntry(fileName);
    return entry && entry->startsAtLogin();
}

std::optional<std::string> XdgAutostartLoginItems::stopStarting(const std::string& fileName) {
    const auto path = userEntryPath(fileName);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return reason(path, errno);
    const auto system = systemEntry(fileName);
    if (!system || !system->startsAtLogin())
        return std::nullopt;
    DesktopEntry hidden;
    hidden.set("Type", "Application");
    hidden.set("Name", applicationName);
    hidden.set("Hidden", "true");
    return writeEntry(fileName, hidden);
}

std::optional<std::string> XdgAutostartLoginItems::writeEntry(const std::string& fileName,
                                                              const DesktopEntry& entry) {
    const auto path = userEntryPath(fileName);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        return path.parent_path().string() + ": " + error.message();
    return replaceFile(path, entry.text());
}

} // namespace wigglet::desktop
