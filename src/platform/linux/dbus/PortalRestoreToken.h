#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace wigglet::desktop {

// The Remote Desktop portal's restore token, kept between runs so that the desktop need not
// ask again. It stands for the user's consent, so only its owner may read it.
class PortalRestoreToken {
  public:
    // $XDG_CONFIG_HOME/wigglet/remote-desktop-token, or ~/.config/wigglet/remote-desktop-token.
    static std::filesystem::path defaultPath();

    explicit PortalRestoreToken(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }
    // Absent when there is none, or the file is not a plain file of this user.
    std::optional<std::string> read() const;
    // Replaces the file whole, mode 0600; false when it could not.
    bool write(const std::string& token) const;

  private:
    std::filesystem::path path_;
};

} // namespace wigglet::desktop
