#include "foundation/SettingsStore.h"

#include "foundation/Base64.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <pwd.h>
#include <unistd.h>

namespace wigglet {

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;

constexpr auto kStaleTemporaryAge = std::chrono::minutes(1);

void report(LogLevel level, const std::string& text) {
    if (Platform::isInstalled())
        Platform::current().system().log(level, text);
    else
        std::fprintf(stderr, "wigglet: %s\n", text.c_str());
}

std::string timestampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

std::int64_t saturated(double d) {
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (std::isnan(d))
        return 0;
    if (d >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (d < -kLimit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(d);
}

// The number at the start of a text, read the way the platform store reads one: leading blanks
// skipped, an optional sign, then as much as forms a number. No number there reads as zero.
std::string_view numberStart(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n\r\f\v");
    if (first == std::string_view::npos)
        return {};
    text.remove_prefix(first);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

std::int64_t leadingInteger(std::string_view text) {
    text = numberStart(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return text[0] == '-' ? std::numeric_limits<std::int64_t>::min()
                              : std::numeric_limits<std::int64_t>::max();
    return error == std::errc() ? value : 0;
}

double leadingDouble(std::string_view text) {
    text = numberStart(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

// Shortest text that reads back as the same double: 30.0 is "30", 0.1 is "0.1".
std::string decimalText(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string();
}

std::optional<Bytes> dataOf(const json& v) {
    if (!v.is_object() || v.size() != 1)
        return std::nullopt;
    const auto it = v.find("data");
    if (it == v.end() || !it->is_string())
        return std::nullopt;
    return Base64::decode(it->get_ref<const std::string&>());
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(fs::path file) {
    switch (AtomicFile::inspect(file)) {
    case AtomicFile::PathKind::ForeignSymlink:
        whyNotSaved_ =
            "the settings path " + file.string() + " is a symbolic link owned by another user";
        report(LogLevel::Error, "The settings path " + file.string() +
                                    " is a symbolic link owned by another user; refusing to use "
                                    "it. Settings are kept in memory only and will not be saved.");
        return;
    case AtomicFile::PathKind::OwnSymlink:
        disk_.emplace(AtomicFile::resolveLink(file));
        break;
    case AtomicFile::PathKind::Plain:
        disk_.emplace(file);
        break;
    }
    file_ = std::move(file);
    disk_->removeStaleTemporaries(kStaleTemporaryAge);
    load();
}

std::optional<std::string> SettingsStore::peekString(const fs::path& file, std::string_view key) {
    const AtomicFile::ReadResult result = AtomicFile(file).read();
    if (result.status != AtomicFile::ReadStatus::Read)
        return std::nullopt;
    const json parsed = json::parse(result.text, nullptr, false);
    const auto found = parsed.is_object() ? parsed.find(key) : parsed.end();
    if (!parsed.is_object() || found == parsed.end() || !found->is_string())
        return std::nullopt;
    return found->get<std::string>();
}

SettingsStore& SettingsStore::shared() {
    return Platform::current().shared<SettingsStore>();
}

fs::path SettingsStore::defaultPath() {
    fs::path config;
    // Relative values are invalid by the XDG rules and ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
        config = xdg;
    else
        config = homeFolder() / ".config";
    return config / "wigglet" / "settings.json";
}

const json* SettingsStore::lookup(std::string_view key) {
    reloadIfChanged();
    const auto it = values_.find(key);
    return it == values_.end() ? nullptr : &*it;
}

bool SettingsStore::boolForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return false;
    if (v->is_boolean())
        return v->get<bool>();
    if (v->is_number())
        return v->get<double>() != 0.0;
    if (v->is_string()) {
        const auto& s = v->get_ref<const std::string&>();
        return s == "true" || s == "YES" || s == "1";
    }
    return false;
}

std::int64_t SettingsStore::integerForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return 0;
    if (v->is_boolean())
        return v->get<bool>() ? 1 : 0;
    if (v->is_number_unsigned()) {
        const auto u = v->get<std::uint64_t>();
        constexpr auto kMax = std::uint64_t(std::numeric_limits<std::int64_t>::max());
        return u > kMax ? std::numeric_limits<std::int64_t>::max() : std::int64_t(u);
    }
    if (v->is_number_integer())
        return v->get<std::int64_t>();
    if (v->is_number_float())
        return saturated(v->get<double>());
    if (v->is_string())
        return leadingInteger(v->get_ref<const std::string&>());
    return 0;
}

double SettingsStore::doubleForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return 0.0;
    if (v->is_boolean())
        return v->get<bool>() ? 1.0 : 0.0;
    if (v->is_number())
        return v->get<double>();
    if (v->is_string())
        return leadingDouble(v->get_ref<const std::string&>());
    return 0.0;
}

std::optional<std::string> SettingsStore::stringForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return std::nullopt;
    if (v->is_string())
        return v->get<std::string>();
    if (v->is_number_unsigned())
        return std::to_string(v->get<std::uint64_t>());
    if (v->is_number_integer())
        return std::to_string(v->get<std::int64_t>());
    if (v->is_number_float())
        return decimalText(v->get<double>());
    return std::nullopt;
}

std::optional<Bytes> SettingsStore::dataForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return std::nullopt;
    return dataOf(*v);
}

void SettingsStore::setBool(std::string_view key, bool value) {
    write(key, "bool", value, value);
}

void SettingsStore::setInteger(std::string_view key, std::int64_t value) {
    write(key, "int", value, value);
}

void SettingsStore::setDouble(std::string_view key, double value) {
    // JSON has no form for infinities and NaN; the file would hold null, so memory does too.
    const json stored = std::isfinite(value) ? json(value) : json(nullptr);
    write(key, "double", stored, stored);
}

void SettingsStore::setString(std::string_view key, const std::string& value) {
    write(key, "string", value, value);
}

void SettingsStore::setData(std::string_view key, const Bytes& value) {
    write(key, "data", json{{"data", Base64::encode(value)}},
          std::string(value.begin(), value.end()));
}

void SettingsStore::removeObject(std::string_view key) {
    reloadIfChanged();
    put(key, std::nullopt);
    recordTrace("store", {{"key", std::string(key)}, {"type", "remove"}, {"value", nullptr}});
    persist();
}

bool SettingsStore::synchronize() {
    reloadIfChanged();
    return hasUnsavedChanges() ? persist() : true;
}

void SettingsStore::write(std::string_view key, const char* type, json stored, const json& traced) {
    reloadIfChanged();
    put(key, std::move(stored));
    recordTrace("store", {{"key", std::string(key)}, {"type", type}, {"value", traced}});
    persist();
}

void SettingsStore::put(std::string_view key, std::optional<json> value) {
    if (value)
        values_[std::string(key)] = *value;
    else
        values_.erase(std::string(key));
    if (disk_)
        unsaved_.insert_or_assign(std::string(key), std::move(value));
}

void SettingsStore::putRaw(std::string_view key, const json& value) {
    reloadIfChanged();
    put(key, value);
    persist();
}

void SettingsStore::putRawData(std::string_view key, const Bytes& value) {
    putRaw(key, json{{"data", Base64::encode(value)}});
}

void SettingsStore::eraseRaw(std::string_view key) {
    reloadIfChanged();
    put(key, std::nullopt);
    persist();
}

json SettingsStore::snapshot() {
    reloadIfChanged();
    return values_;
}

void SettingsStore::reloadIfChanged() {
    if (disk_ && disk_->stamp() != seen_)
        load();
}

void SettingsStore::load() {
    const AtomicFile::ReadResult result = disk_->read();
    seen_ = result.stamp;
    json base = json::object();
    switch (result.status) {
    case AtomicFile::ReadStatus::Failed:
        if (!unreadable_)
            report(LogLevel::Error, "Cannot read the settings file (" + result.failure +
                                        "); it is left untouched and settings are kept in "
                                        "memory until it can be read.");
        unreadable_ = true;
        seen_ = disk_->stamp();
        return;
    case AtomicFile::ReadStatus::Absent:
        corruptFileInPlace_ = false;
        break;
    case AtomicFile::ReadStatus::Read: {
        json parsed = json::parse(result.text, nullptr, false);
        if (parsed.is_object()) {
            base = std::move(parsed);
            corruptFileInPlace_ = false;
        } else {
            setAsideCorruptFile();
        }
        break;
    }
    }
    unreadable_ = false;
    for (const auto& [key, value] : unsaved_) {
        if (value)
            base[key] = *value;
        else
            base.erase(key);
    }
    values_ = std::move(base);
}

void SettingsStore::setAsideCorruptFile() {
    const std::string path = disk_->path().string();
    const AtomicFile::MoveResult moved = disk_->moveAside(".corrupt-" + timestampNow());
    if (moved.movedTo) {
        corruptFileInPlace_ = false;
        movedAsideTo_ = moved.movedTo;
        report(LogLevel::Error, "The settings file " + path +
                                    " is not a valid JSON object; it was moved aside to " +
                                    moved.movedTo->string() + " and settings start empty.");
    } else if (!corruptFileInPlace_) {
        corruptFileInPlace_ = true;
        report(LogLevel::Error, "The settings file " + path +
                                    " is not a valid JSON object and could not be moved aside (" +
                                    moved.failure +
                                    "); it is left untouched and settings start empty, kept in "
                                    "memory until it can be moved.");
    }
    seen_ = disk_->stamp();
}

std::optional<std::string> SettingsStore::obstacleToWriting() {
    if (unreadable_)
        return "the existing file " + disk_->path().string() + " cannot be read and is kept";
    if (corruptFileInPlace_) {
        const AtomicFile::MoveResult moved = disk_->moveAside(".corrupt-" + timestampNow());
        if (!moved.movedTo)
            return moved.failure;
        corruptFileInPlace_ = false;
        movedAsideTo_ = moved.movedTo;
        report(LogLevel::Info,
               "The unusable settings file was moved aside to " + moved.movedTo->string() + ".");
    }
    return std::nullopt;
}

bool SettingsStore::persist() {
    if (!disk_)
        return true;
    std::optional<std::string> failure = obstacleToWriting();
    if (!failure)
        failure =
            disk_->replace(values_.dump(2, ' ', false, json::error_handler_t::replace) + "\n");
    if (failure) {
        reportWriteFailure(*failure);
        return false;
    }
    unsaved_.clear();
    seen_ = disk_->stamp();
    if (whyNotSaved_) {
        whyNotSaved_.reset();
        report(LogLevel::Info, "Settings are saved to " + disk_->path().string() + " again.");
    }
    return true;
}

void SettingsStore::reportWriteFailure(const std::string& failure) {
    const bool alreadyFailing = whyNotSaved_.has_value();
    whyNotSaved_ = failure;
    if (alreadyFailing)
        return;
    report(LogLevel::Error, "Cannot save settings (" + failure +
                                "); changes are kept in memory and saved as soon as writing "
                                "works again.");
}

bool SettingsStore::hasUnsavedChanges() const {
    return !unsaved_.empty() || corruptFileInPlace_;
}

} // namespace wigglet
