#include "platform/linux/dbus/PortalRestoreToken.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

constexpr std::size_t longestToken = 4096;

bool writeTokenText(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::filesystem::path PortalRestoreToken::defaultPath() {
    std::filesystem::path config;
    // Relative values are invalid by the XDG rules.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        config = std::filesystem::path(home) / ".config";
    else
        return {};
    return config / "wigglet" / "remote-desktop-token";
}

std::optional<std::string> PortalRestoreToken::read() const {
    if (path_.empty())
        return std::nullopt;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::string text(longestToken, '\0');
    ssize_t n = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        n = ::read(fd, text.data(), text.size());
    ::close(fd);
    if (n <= 0)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(n));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0'))
        text.pop_back();
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

bool PortalRestoreToken::write(const std::string& token) const {
    if (path_.empty())
        return false;
    std::error_code error;
    const auto folder = path_.parent_path();
    if (std::filesystem::create_directories(folder, error))
        ::chmod(folder.c_str(), 0700);
    // mkstemp makes the file 0600; the rename keeps either the old token or the new one.
    std::string temporary = path_.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool done = writeTokenText(fd, token + "\n") && ::fsync(fd) == 0;
    done = ::close(fd) == 0 && done;
    done = done && ::rename(temporary.c_str(), path_.c_str()) == 0;
    if (!done)
        ::unlink(temporary.c_str());
    return done;
}

} // namespace wigglet::desktop
