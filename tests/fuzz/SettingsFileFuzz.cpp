// Writes arbitrary bytes as the settings file, as a crash, a full disk or a hand edit could
// leave it, opens a store on it and reads every key through every accessor. The store either
// loads the file as it stands or moves it aside untouched and starts empty.
#include "FuzzCheck.h"
#include "TemporaryFolder.h"
#include "foundation/SettingsKey.h"
#include "foundation/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using wigglet::fuzz::check;

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using wigglet::SettingsStore;

// Keeps the store's warnings about moved-aside files off the fuzzer's output.
class SilentSystemInfo : public wigglet::SystemInfo {
  public:
    wigglet::OSVersion operatingSystemVersion() override { return {}; }
    std::optional<std::string> bundleValue(std::string_view) override { return std::nullopt; }

  protected:
    void doLog(wigglet::LogLevel, std::string_view) override {}
};

struct Process {
    SilentSystemInfo log;
    wigglet::Platform platform{wigglet::PlatformServices{.system = &log}};
    wigglet::PlatformScope scope{platform};
    wigglet::testing::TemporaryFolder folder;
};

std::vector<fs::path> entries(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        found.push_back(entry.path());
    return found;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void readThroughEveryAccessor(SettingsStore& store, std::string_view key, bool present) {
    const bool flag = store.boolForKey(key);
    const std::int64_t whole = store.integerForKey(key);
    const double real = store.doubleForKey(key);
    const auto text = store.stringForKey(key);
    const auto data = store.dataForKey(key);
    if (!present)
        check(!flag && whole == 0 && real == 0.0 && !text && !data);
}

// A file the store took as it is: still in place, byte for byte, and every key readable.
void checkLoaded(SettingsStore& store, const fs::path& folder, const fs::path& file,
                 std::string_view bytes, const json& parsed) {
    check(entries(folder) == std::vector<fs::path>{file});
    check(contentsOf(file) == bytes);
    const json values = store.snapshot();
    check(values == parsed);
    for (const auto& [key, value] : values.items()) {
        readThroughEveryAccessor(store, key, true);
        if (value.is_string())
            check(store.stringForKey(key) == value.get<std::string>());
    }
    for (const std::string_view key : wigglet::kSettingsKeyNames)
        readThroughEveryAccessor(store, key, values.contains(key));
}

// A file the store could not use: moved aside whole, and the store empty.
void checkMovedAside(SettingsStore& store, const fs::path& folder, std::string_view bytes) {
    const auto left = entries(folder);
    check(left.size() == 1);
    check(left.front().filename().string().starts_with("settings.json.corrupt-"));
    check(contentsOf(left.front()) == bytes);
    check(store.snapshot() == json::object());
    for (const std::string_view key : wigglet::kSettingsKeyNames)
        readThroughEveryAccessor(store, key, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Process process;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fs::path file = process.folder.path() / "settings.json";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));

    SettingsStore store(file);
    check(store.file() == file);
    const json parsed = json::parse(bytes, nullptr, false);
    if (parsed.is_object())
        checkLoaded(store, process.folder.path(), file, bytes, parsed);
    else
        checkMovedAside(store, process.folder.path(), bytes);

    for (const auto& entry : entries(process.folder.path()))
        fs::remove(entry);
    return 0;
}
