#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wigglet {

// One file that is only ever replaced whole: a new version is written to a temporary file in
// the same folder, synced, and renamed over the old one, so a crash at any moment leaves
// either the old or the new contents. Also the small file-system questions its owner asks
// (has the file changed, is the path a symbolic link, move it aside). It keeps no contents
// and says nothing to the user; that is the owner's business.
class AtomicFile {
  public:
    // What stat() says about the file: enough to notice that someone else replaced or
    // edited it.
    struct Stamp {
        bool exists = false;
        int error = 0;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    enum class ReadStatus { Read, Absent, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Absent;
        std::string text;
        std::string failure;
        Stamp stamp;
    };

    enum class PathKind { Plain, OwnSymlink, ForeignSymlink };

    explicit AtomicFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    Stamp stamp() const;
    ReadResult read() const;
    // Replaces the file with the given contents (mode 0600), creating missing folders with
    // mode 0700. Returns what went wrong, or nothing on success.
    std::optional<std::string> replace(std::string_view contents) const;
    // Renames the file to its name followed by the suffix (and a counter if that name is
    // taken). Returns the new path, or what went wrong.
    struct MoveResult {
        std::optional<std::filesystem::path> movedTo;
        std::string failure;
    };
    MoveResult moveAside(std::string_view suffix) const;
    // Removes temporary files left behind by writers that died mid-write, once they are
    // older than the given age (a younger one may belong to a writer still at work).
    void removeStaleTemporaries(std::chrono::seconds age) const;

    // Whether the path is a symbolic link, and whose.
    static PathKind inspect(const std::filesystem::path& path);
    // Where a symbolic link points, as a path usable from here.
    static std::filesystem::path resolveLink(const std::filesystem::path& link);

  private:
    std::string temporaryPrefix() const;
    std::optional<std::string> ensureFolder() const;

    std::filesystem::path path_;
};

} // namespace wigglet
