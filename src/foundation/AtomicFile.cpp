#include "foundation/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace wigglet {

namespace {

namespace fs = std::filesystem;

// Far beyond any settings file; a bigger one is something else and is left alone.
constexpr off_t kLargestFile = 16 * 1024 * 1024;

std::string describe(std::string_view what, const fs::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

std::int64_t nanoseconds(const timespec& t) {
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

AtomicFile::Stamp stampOf(const struct stat& st) {
    AtomicFile::Stamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = nanoseconds(st.st_mtim);
    s.changedNs = nanoseconds(st.st_ctim);
    return s;
}

AtomicFile::Stamp missingStamp(int error) {
    AtomicFile::Stamp s;
    s.error = error == ENOENT ? 0 : error;
    s.exists = error != ENOENT;
    return s;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool readAll(int fd, std::string& out) {
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

// Best effort: some file systems cannot sync a folder, and the rename has happened anyway.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

fs::path folderOf(const fs::path& path) {
    const fs::path parent = path.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path path) : path_(std::move(path)) {}

AtomicFile::Stamp AtomicFile::stamp() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0)
        return missingStamp(errno);
    return stampOf(st);
}

AtomicFile::ReadResult AtomicFile::read() const {
    ReadResult result;
    // Non-blocking, so that a FIFO put in the file's place cannot hang the program.
    Descriptor fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        const int error = errno;
        result.stamp = missingStamp(error);
        result.status = error == ENOENT ? ReadStatus::Absent : ReadStatus::Failed;
        result.failure = describe("cannot open", path_, error);
        return result;
    }
    struct stat st {};
    const bool examined = ::fstat(fd.get(), &st) == 0;
    const int error = errno;
    result.stamp = examined ? stampOf(st) : stamp();
    result.status = ReadStatus::Failed;
    if (!examined)
        result.failure = describe("cannot examine", path_, error);
    else if (!S_ISREG(st.st_mode) || st.st_size > kLargestFile)
        result.failure = path_.string() + " is not a settings file (not a regular file of "
                                          "reasonable size)";
    else if (!readAll(fd.get(), result.text))
        result.failure = describe("cannot read", path_, errno);
    else
        result.status = ReadStatus::Read;
    return result;
}

std::optional<std::string> AtomicFile::ensureFolder() const {
    const fs::path folder = folderOf(path_);
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            // The umask may have taken bits away; the folder is the user's alone either way.
            ::chmod(partial.c_str(), 0700);
            continue;
        }
        const int error = errno;
        struct stat st {};
        if (error != EEXIST)
            return describe("cannot create the folder", partial, error);
        if (::stat(partial.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return describe("cannot create the folder", partial, ENOTDIR);
    }
    return std::nullopt;
}

std::string AtomicFile::temporaryPrefix() const {
    return path_.filename().string() + ".tmp-";
}

std::optional<std::string> AtomicFile::replace(std::string_view contents) const {
    if (auto failure = ensureFolder())
        return failure;
    const fs::path folder = folderOf(path_);
    std::string name = (folder / (temporaryPrefix() + "XXXXXX")).string();
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    Descriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return describe("cannot create a temporary file in", folder, errno);
    const fs::path temporary(pattern.data());
    auto fail = [&](std::string_view what) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return describe(what, temporary, error);
    };
    if (::fchmod(fd.get(), 0600) != 0)
        return fail("cannot set the mode of");
    if (!writeAll(fd.get(), contents))
        return fail("cannot write");
    if (::fsync(fd.get()) != 0)
        return fail("cannot sync");
    if (::close(fd.release()) != 0)
        return fail("cannot close");
    if (::rename(temporary.c_str(), path_.c_str()) != 0)
        return fail("cannot rename into place");
    syncFolder(folder);
    return std::nullopt;
}

AtomicFile::MoveResult AtomicFile::moveAside(std::string_view suffix) const {
    MoveResult result;
    const std::string base = path_.string() + std::string(suffix);
    fs::path target = base;
    std::error_code ec;
    for (int n = 2; fs::symlink_status(target, ec).type() != fs::file_type::not_found; ++n)
        target = base + "-" + std::to_string(n);
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        result.failure = describe("cannot move aside", path_, errno);
        return result;
    }
    syncFolder(folderOf(path_));
    result.movedTo = target;
    return result;
}

void AtomicFile::removeStaleTemporaries(std::chrono::seconds age) const {
    std::error_code ec;
    const std::string prefix = temporaryPrefix();
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folderOf(path_), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& entry = it->path();
        if (entry.filename().string().rfind(prefix, 0) != 0 || !it->is_regular_file(ec))
            continue;
        const auto written = fs::last_write_time(entry, ec);
        if (!ec && now - written > age)
            fs::remove(entry, ec);
    }
}

AtomicFile::PathKind AtomicFile::inspect(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return PathKind::Plain;
    return st.st_uid == ::geteuid() ? PathKind::OwnSymlink : PathKind::ForeignSymlink;
}

std::filesystem::path AtomicFile::resolveLink(const std::filesystem::path& link) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    if (ec)
        return link;
    const fs::path joined = target.is_absolute() ? target : folderOf(link) / target;
    const fs::path resolved = fs::weakly_canonical(joined, ec);
    return ec ? joined : resolved;
}

} // namespace wigglet
