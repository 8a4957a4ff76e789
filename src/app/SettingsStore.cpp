#include "app/SettingsStore.h"

#include "platform/Platform.h"

#include <cmath>
#include <fstream>
#include <limits>

namespace wigglet {

namespace {

using json = nlohmann::json;

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string encodeBase64(const Bytes& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = std::uint32_t(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            n |= std::uint32_t(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            n |= bytes[i + 2];
        out += kBase64[(n >> 18) & 63];
        out += kBase64[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kBase64[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kBase64[n & 63] : '=';
    }
    return out;
}

std::optional<Bytes> decodeBase64(std::string_view text) {
    Bytes out;
    std::uint32_t buffer = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=')
            break;
        const char* at = std::char_traits<char>::find(kBase64, 64, c);
        if (!at)
            return std::nullopt;
        buffer = (buffer << 6) | std::uint32_t(at - kBase64);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(std::uint8_t((buffer >> bits) & 0xFF));
        }
    }
    return out;
}

bool isData(const json& v) {
    return v.is_object() && v.size() == 1 && v.contains("data");
}

std::optional<Bytes> dataOf(const json& v) {
    if (!isData(v) || !v["data"].is_string())
        return std::nullopt;
    return decodeBase64(v["data"].get_ref<const std::string&>());
}

std::string textOfBytes(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {
    reloadIfChanged();
}

SettingsStore& SettingsStore::shared() {
    return Platform::current().shared<SettingsStore>();
}

const json* SettingsStore::lookup(std::string_view key) {
    reloadIfChanged();
    auto it = values_.find(std::string(key));
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
    if (v->is_number_integer())
        return v->get<std::int64_t>();
    if (v->is_number_float()) {
        const double d = v->get<double>();
        if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18)
            return 0;
        return static_cast<std::int64_t>(d);
    }
    if (v->is_string()) {
        try {
            std::size_t used = 0;
            const auto& s = v->get_ref<const std::string&>();
            const long long n = std::stoll(s, &used);
            return used > 0 ? n : 0;
        } catch (...) {
            return 0;
        }
    }
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
    if (v->is_string()) {
        try {
            return std::stod(v->get_ref<const std::string&>());
        } catch (...) {
            return 0.0;
        }
    }
    return 0.0;
}

std::optional<std::string> SettingsStore::stringForKey(std::string_view key) {
    const json* v = lookup(key);
    if (!v)
        return std::nullopt;
    if (v->is_string())
        return v->get<std::string>();
    if (v->is_number_integer())
        return std::to_string(v->get<std::int64_t>());
    if (v->is_number_float())
        return json(v->get<double>()).dump();
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
    write(key, "double", value, value);
}

void SettingsStore::setString(std::string_view key, const std::string& value) {
    write(key, "string", value, value);
}

void SettingsStore::setData(std::string_view key, const Bytes& value) {
    write(key, "data", json{{"data", encodeBase64(value)}}, textOfBytes(value));
}

void SettingsStore::removeObject(std::string_view key) {
    reloadIfChanged();
    values_.erase(std::string(key));
    recordTrace("store", {{"key", std::string(key)}, {"type", "remove"}, {"value", nullptr}});
    persist();
}

bool SettingsStore::synchronize() {
    return persist();
}

void SettingsStore::write(std::string_view key, const char* type, json stored, const json& traced) {
    reloadIfChanged();
    values_[std::string(key)] = std::move(stored);
    recordTrace("store", {{"key", std::string(key)}, {"type", type}, {"value", traced}});
    persist();
}

void SettingsStore::putRaw(std::string_view key, const json& value) {
    reloadIfChanged();
    values_[std::string(key)] = value;
    persist();
}

void SettingsStore::putRawData(std::string_view key, const Bytes& value) {
    putRaw(key, json{{"data", encodeBase64(value)}});
}

void SettingsStore::eraseRaw(std::string_view key) {
    reloadIfChanged();
    values_.erase(std::string(key));
    persist();
}

json SettingsStore::snapshot() {
    reloadIfChanged();
    return values_;
}

void SettingsStore::reloadIfChanged() {
    if (!file_)
        return;
    std::ifstream in(*file_);
    if (!in)
        return;
    json parsed = json::parse(in, nullptr, false);
    if (parsed.is_object())
        values_ = std::move(parsed);
}

bool SettingsStore::persist() {
    if (!file_)
        return true;
    std::ofstream out(*file_, std::ios::trunc);
    out << values_.dump(2) << '\n';
    return static_cast<bool>(out);
}

} // namespace wigglet
