#include "platform/linux/sysfs/SysfsDevice.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <system_error>

namespace wigglet::desktop {

std::vector<SysfsDevice> SysfsDevice::list(const std::filesystem::path& classFolder) {
    std::vector<SysfsDevice> devices;
    std::error_code error;
    for (std::filesystem::directory_iterator it(classFolder, error), end; !error && it != end;
         it.increment(error))
        devices.emplace_back(it->path());
    std::sort(devices.begin(), devices.end(),
              [](const SysfsDevice& a, const SysfsDevice& b) { return a.name() < b.name(); });
    return devices;
}

std::optional<std::string> SysfsDevice::text(const std::string& attribute) const {
    std::ifstream file(folder_ / attribute);
    std::string line;
    if (!file || !std::getline(file, line))
        return std::nullopt;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ' || line.back() == '\r'))
        line.pop_back();
    return line;
}

std::optional<long long> SysfsDevice::number(const std::string& attribute) const {
    const auto value = text(attribute);
    if (!value || value->empty())
        return std::nullopt;
    long long result = 0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), result);
    if (error != std::errc() || end != value->data() + value->size())
        return std::nullopt;
    return result;
}

} // namespace wigglet::desktop
