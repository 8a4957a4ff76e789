#pragma once

#include "TemporaryFolder.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wigglet::testing {

namespace fs = std::filesystem;

inline std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

inline std::optional<std::string> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline nlohmann::json readJson(const fs::path& path) {
    return nlohmann::json::parse(readFile(path).value_or(""), nullptr, false);
}

inline unsigned modeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

inline std::vector<fs::path> entriesStartingWith(const fs::path& folder,
                                                 const std::string& prefix) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path());
    return found;
}

// Takes away the right to create or rename files in a folder for as long as it lives. The
// mode bits do not stop root, so root also marks the folder immutable.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(fs::path folder) : folder_(std::move(folder)) {
        mode_ = modeOf(folder_);
        ::chmod(folder_.c_str(), 0500);
        if (::geteuid() == 0)
            immutable_ = setImmutable(true);
        works_ = ::geteuid() != 0 || immutable_;
    }
    ~ReadOnlyFolder() { release(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when this process can write the folder whatever its mode says.
    bool works() const { return works_; }
    void release() {
        if (immutable_)
            setImmutable(false);
        immutable_ = false;
        ::chmod(folder_.c_str(), mode_);
    }

  private:
    bool setImmutable(bool on) {
        const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    fs::path folder_;
    unsigned mode_ = 0700;
    bool immutable_ = false;
    bool works_ = false;
};

// The system log as the store sees it through the platform: every entry is kept.
class RecordingSystemInfo : public SystemInfo {
  public:
    struct Entry {
        LogLevel level;
        std::string text;
    };
    OSVersion operatingSystemVersion() override { return {}; }
    std::optional<std::string> bundleValue(std::string_view) override { return std::nullopt; }
    const std::vector<Entry>& entries() const { return entries_; }
    std::size_t count(LogLevel level) const {
        std::size_t n = 0;
        for (const auto& e : entries_)
            n += e.level == level;
        return n;
    }

  protected:
    void doLog(LogLevel level, std::string_view text) override {
        entries_.push_back({level, std::string(text)});
    }

  private:
    std::vector<Entry> entries_;
};

// A platform whose only service is the recording system log.
class LoggingPlatform {
  public:
    LoggingPlatform() : platform_(PlatformServices{.system = &log_}), scope_(platform_) {}
    RecordingSystemInfo& log() { return log_; }
    Platform& platform() { return platform_; }

  private:
    RecordingSystemInfo log_;
    Platform platform_;
    PlatformScope scope_;
};

} // namespace wigglet::testing
