#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace wigglet::testing {

// A folder of its own for one test, removed with everything in it at the end.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }
    // Writes a file below the folder, creating the folders on its way.
    void write(const std::filesystem::path& relative, const std::string& text) const;
    // The file's text; absent when there is no such file.
    std::optional<std::string> read(const std::filesystem::path& relative) const;

  private:
    std::filesystem::path path_;
};

} // namespace wigglet::testing
