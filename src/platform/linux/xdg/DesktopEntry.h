#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace wigglet::desktop {

// The [Desktop Entry] group of a .desktop file: enough of the XDG desktop entry format to
// write an autostart entry and to tell whether one found on disk starts anything.
class DesktopEntry {
  public:
    // Absent when the file cannot be read; a file without the group yields an empty entry.
    static std::optional<DesktopEntry> read(const std::filesystem::path& file);
    static DesktopEntry parse(const std::string& text);

    std::optional<std::string> value(const std::string& key) const;
    void set(const std::string& key, std::string value) { values_[key] = std::move(value); }
    // What a session does with the entry at login: nothing when it is hidden or disabled.
    bool startsAtLogin() const;
    // The file's text, keys in name order.
    std::string text() const;

    // One argument of an Exec line, quoted and escaped so that the session runs it verbatim.
    static std::string execArgument(const std::string& argument);

  private:
    std::map<std::string, std::string> values_;
};

} // namespace wigglet::desktop
