#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace wigglet::desktop {

// One device folder of a sysfs class (/sys/class/power_supply/BAT0, say) and its attributes,
// each a short text file read afresh on every call.
class SysfsDevice {
  public:
    explicit SysfsDevice(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // The devices of a class folder in name order; none when the folder cannot be read.
    static std::vector<SysfsDevice> list(const std::filesystem::path& classFolder);

    std::string name() const { return folder_.filename().string(); }
    // The attribute's text without its trailing newline; absent when it cannot be read.
    std::optional<std::string> text(const std::string& attribute) const;
    // The attribute as a whole decimal number; absent when unreadable or not a number.
    std::optional<long long> number(const std::string& attribute) const;

  private:
    std::filesystem::path folder_;
};

} // namespace wigglet::desktop
