#pragma once

#include "foundation/AtomicFile.h"
#include "foundation/SettingsChoices.h"
#include "foundation/SettingsKey.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wigglet {

using Bytes = std::vector<std::uint8_t>;

// The per-user settings store: a flat map from key string to a typed value, kept as a JSON
// object in one file. Every read applies the zero-value rule (an absent key or an unusable
// value reads as false, 0, 0.0 or no value); every write replaces the file atomically.
// Unknown keys are kept. It never reports failure to its callers: a write that cannot reach
// the disk keeps the value in memory and says so once in the log, and saves it when the disk
// takes writes again. An edit that someone else makes to the file is seen at the next read.
class SettingsStore {
  public:
    // A store that lives in memory only (the simulation and tests).
    SettingsStore();
    // A store kept in the given file. A path that is a symbolic link owned by another user is
    // refused: the store then lives in memory only and says so.
    explicit SettingsStore(std::filesystem::path file);

    // The process-wide store of the installed platform context.
    static SettingsStore& shared();
    // $XDG_CONFIG_HOME/wigglet/settings.json, or ~/.config/wigglet/settings.json.
    static std::filesystem::path defaultPath();
    // A string read before the store exists, leaving a bad file for the store to deal with.
    static std::optional<std::string> peekString(const std::filesystem::path& file,
                                                 std::string_view key);

    bool boolForKey(std::string_view key);
    std::int64_t integerForKey(std::string_view key);
    double doubleForKey(std::string_view key);
    std::optional<std::string> stringForKey(std::string_view key);
    std::optional<Bytes> dataForKey(std::string_view key);

    void setBool(std::string_view key, bool value);
    void setInteger(std::string_view key, std::int64_t value);
    void setDouble(std::string_view key, double value);
    void setString(std::string_view key, const std::string& value);
    void setData(std::string_view key, const Bytes& value);
    void removeObject(std::string_view key);
    // Brings the file in line with memory; false when it could not.
    bool synchronize();

    bool boolForKey(SettingsKey key) { return boolForKey(rawValue(key)); }
    std::int64_t integerForKey(SettingsKey key) { return integerForKey(rawValue(key)); }
    double doubleForKey(SettingsKey key) { return doubleForKey(rawValue(key)); }
    std::optional<std::string> stringForKey(SettingsKey key) { return stringForKey(rawValue(key)); }
    std::optional<Bytes> dataForKey(SettingsKey key) { return dataForKey(rawValue(key)); }
    void setBool(SettingsKey key, bool value) { setBool(rawValue(key), value); }
    void setInteger(SettingsKey key, std::int64_t value) { setInteger(rawValue(key), value); }
    void setDouble(SettingsKey key, double value) { setDouble(rawValue(key), value); }
    void setString(SettingsKey key, const std::string& value) { setString(rawValue(key), value); }
    void setData(SettingsKey key, const Bytes& value) { setData(rawValue(key), value); }

    // The choice settings, read and written as their integers (SettingsChoices.h).
    ShakingType shakingType() {
        return shakingTypeFrom(integerForKey(SettingsKey::shakingTypeIndex));
    }
    ScrollType scrollType() { return scrollTypeFrom(integerForKey(SettingsKey::scrollTypeIndex)); }
    std::optional<ClickButton> clickButton() {
        return clickButtonFrom(integerForKey(SettingsKey::shakeClickButton));
    }
    void setClickButton(ClickButton button) {
        setInteger(SettingsKey::shakeClickButton, static_cast<std::int64_t>(button));
    }
    DimOption dimOption() { return dimOptionFrom(integerForKey(SettingsKey::dimLightOption)); }
    void setDimOption(DimOption option) {
        setInteger(SettingsKey::dimLightOption, static_cast<std::int64_t>(option));
    }
    TabSwitchType tabSwitchType() {
        return tabSwitchTypeFrom(integerForKey(SettingsKey::scrollTabType));
    }

    // Writes the stored JSON form of a value directly, without a trace line: the scenario
    // runner's `set` and `unset`, which stand for someone else editing the store.
    void putRaw(std::string_view key, const nlohmann::json& value);
    void putRawData(std::string_view key, const Bytes& value);
    void eraseRaw(std::string_view key);
    // Every key with its stored JSON form.
    nlohmann::json snapshot();

    // The file behind the store; none when it lives in memory only.
    const std::optional<std::filesystem::path>& file() const { return file_; }
    // Why changes are held in memory rather than saved to the file; none while they are saved
    // (or when the store has no file by design).
    const std::optional<std::string>& whyNotSaved() const { return whyNotSaved_; }
    // Where the last unusable settings file was moved aside to, if one was.
    const std::optional<std::filesystem::path>& movedAsideTo() const { return movedAsideTo_; }

  private:
    void write(std::string_view key, const char* type, nlohmann::json stored,
               const nlohmann::json& traced);
    void put(std::string_view key, std::optional<nlohmann::json> value);
    const nlohmann::json* lookup(std::string_view key);
    void reloadIfChanged();
    void load();
    void setAsideCorruptFile();
    bool persist();
    std::optional<std::string> obstacleToWriting();
    void reportWriteFailure(const std::string& failure);
    bool hasUnsavedChanges() const;

    std::optional<std::filesystem::path> file_;
    std::optional<AtomicFile> disk_;
    nlohmann::json values_ = nlohmann::json::object();
    // Changes not yet on disk, laid over whatever the file holds when it is read again; an
    // empty value is a removal.
    std::map<std::string, std::optional<nlohmann::json>, std::less<>> unsaved_;
    // The file as last read or written by this store.
    AtomicFile::Stamp seen_;
    bool unreadable_ = false;
    bool corruptFileInPlace_ = false;
    // Set while writes fail (or for good, on a refused path), which is said once.
    std::optional<std::string> whyNotSaved_;
    std::optional<std::filesystem::path> movedAsideTo_;
};

} // namespace wigglet
