#include "system/GlobalKeybindPreferences.h"

#include "foundation/SettingsStore.h"

#include <array>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace wigglet {

namespace {

using json = nlohmann::json;

// One code point read from UTF-8, with the number of bytes it took; none for a byte that does
// not start a well-formed, shortest-form sequence.
struct CodePoint {
    char32_t value;
    std::size_t length;
};

std::optional<CodePoint> decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return CodePoint{lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size())
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    static constexpr std::array<char32_t, 5> shortest = {0, 0, 0x80, 0x800, 0x10000};
    if (value < shortest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return CodePoint{value, length};
}

void appendUtf8(std::string& out, char32_t value) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

bool inRange(char32_t c, char32_t lo, char32_t hi) {
    return c >= lo && c <= hi;
}

// Latin Extended-A pairs its letters upper/lower, with the upper case on the even code point
// except in two runs where it sits on the odd one.
std::optional<char32_t> upperLatinExtendedA(char32_t c) {
    if (c == 0x0131)
        return U'I';
    if (c == 0x017F)
        return U'S';
    const bool oddIsLower = inRange(c, 0x0100, 0x0137) || inRange(c, 0x014A, 0x0177);
    if (oddIsLower)
        return (c & 1) ? c - 1 : c;
    const bool evenIsLower = inRange(c, 0x0139, 0x0148) || inRange(c, 0x0179, 0x017E);
    if (evenIsLower)
        return (c & 1) ? c : c - 1;
    return std::nullopt;
}

// Upper case for the scripts a keyboard layout is likely to report; other code points stay.
std::optional<char32_t> upperCodePoint(char32_t c) {
    if (inRange(c, U'a', U'z'))
        return c - 0x20;
    if ((inRange(c, 0x00E0, 0x00FE) && c != 0x00F7) || inRange(c, 0x03B1, 0x03CB) ||
        inRange(c, 0x0430, 0x044F))
        return c == 0x03C2 ? char32_t{0x03A3} : c - 0x20;
    if (c == 0x00FF)
        return char32_t{0x0178};
    if (inRange(c, 0x0450, 0x045F))
        return c - 0x50;
    if (inRange(c, 0x0100, 0x017F))
        return upperLatinExtendedA(c);
    return std::nullopt;
}

// Bytes that are not well-formed UTF-8 are copied as they are.
std::string upperCased(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto point = decodeUtf8(text, at);
        if (!point) {
            out += text[at++];
            continue;
        }
        if (point->value == 0x00DF)
            out += "SS";
        else if (const auto upper = upperCodePoint(point->value))
            appendUtf8(out, *upper);
        else
            out.append(text.substr(at, point->length));
        at += point->length;
    }
    return out;
}

std::optional<bool> boolField(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_boolean())
        return std::nullopt;
    return it->get<bool>();
}

std::optional<std::uint32_t> uint32Field(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_unsigned())
        return std::nullopt;
    const auto value = it->get<std::uint64_t>();
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// Absent and null both mean no characters; any other type makes the record unusable.
std::optional<std::optional<std::string>> charactersField(const json& object) {
    const auto it = object.find("characters");
    if (it == object.end() || it->is_null())
        return std::optional<std::string>{};
    if (!it->is_string())
        return std::nullopt;
    return std::optional<std::string>{it->get<std::string>()};
}

} // namespace

GlobalKeybindPreferences GlobalKeybindPreferences::storedShortcut() {
    const std::optional<Bytes> stored =
        SettingsStore::shared().dataForKey(SettingsKey::shakeHotkey);
    if (!stored)
        return {};
    const std::string_view bytes(reinterpret_cast<const char*>(stored->data()), stored->size());
    return decode(bytes).value_or(GlobalKeybindPreferences{});
}

void GlobalKeybindPreferences::setStoredShortcut(const GlobalKeybindPreferences& record) {
    SettingsStore& store = SettingsStore::shared();
    if (const auto encoded = record.encode())
        store.setData(SettingsKey::shakeHotkey, Bytes(encoded->begin(), encoded->end()));
    store.synchronize();
}

std::optional<std::string> GlobalKeybindPreferences::encode() const {
    // Declaration order, though a reader must not rely on it.
    nlohmann::ordered_json object = {{"function", function},      {"control", control},
                                     {"command", command},        {"shift", shift},
                                     {"option", option},          {"capsLock", capsLock},
                                     {"carbonFlags", carbonFlags}};
    if (characters)
        object["characters"] = *characters;
    object["keyCode"] = keyCode;
    try {
        return object.dump();
    } catch (const nlohmann::ordered_json::type_error&) {
        return std::nullopt;
    }
}

std::optional<GlobalKeybindPreferences> GlobalKeybindPreferences::decode(std::string_view bytes) {
    const json object = json::parse(bytes, nullptr, false);
    if (!object.is_object())
        return std::nullopt;
    const auto function = boolField(object, "function");
    const auto control = boolField(object, "control");
    const auto command = boolField(object, "command");
    const auto shift = boolField(object, "shift");
    const auto option = boolField(object, "option");
    const auto capsLock = boolField(object, "capsLock");
    const auto carbonFlags = uint32Field(object, "carbonFlags");
    const auto keyCode = uint32Field(object, "keyCode");
    auto characters = charactersField(object);
    if (!function || !control || !command || !shift || !option || !capsLock || !carbonFlags ||
        !keyCode || !characters)
        return std::nullopt;
    return GlobalKeybindPreferences{*function, *control,  *command,     *shift,
                                    *option,   *capsLock, *carbonFlags, std::move(*characters),
                                    *keyCode};
}

std::optional<GlobalKeybindPreferences> GlobalKeybindPreferences::fromKeyEvent(
    std::uint32_t keyCode, const std::optional<std::string>& charactersIgnoringModifiers,
    std::uint64_t modifierFlags) {
    if (!charactersIgnoringModifiers || modifierSymbols(modifierFlags).empty())
        return std::nullopt;
    GlobalKeybindPreferences record;
    record.function = (modifierFlags & modifierFlag::function) != 0;
    record.control = (modifierFlags & modifierFlag::control) != 0;
    record.command = (modifierFlags & modifierFlag::command) != 0;
    record.shift = (modifierFlags & modifierFlag::shift) != 0;
    record.option = (modifierFlags & modifierFlag::option) != 0;
    record.capsLock = (modifierFlags & modifierFlag::capsLock) != 0;
    record.carbonFlags = carbonModifierMask(modifierFlags);
    record.characters = charactersIgnoringModifiers;
    record.keyCode = keyCode;
    return record;
}

std::string GlobalKeybindPreferences::description() const {
    std::string text;
    const std::pair<bool, const char*> parts[] = {{function, "Fn"}, {control, "⌃"},
                                                  {option, "⌥"},    {command, "⌘"},
                                                  {shift, "⇧"},     {capsLock, "⇪"}};
    for (const auto& [held, symbol] : parts)
        if (held)
            text += symbol;
    if (characters)
        text += upperCased(*characters);
    return text;
}

std::uint64_t GlobalKeybindPreferences::modifierFlags() const {
    std::uint64_t flags = 0;
    const std::pair<bool, std::uint64_t> parts[] = {
        {capsLock, modifierFlag::capsLock}, {shift, modifierFlag::shift},
        {control, modifierFlag::control},   {option, modifierFlag::option},
        {command, modifierFlag::command},   {function, modifierFlag::function}};
    for (const auto& [held, flag] : parts)
        if (held)
            flags |= flag;
    return flags;
}

std::uint32_t GlobalKeybindPreferences::carbonModifierMask(std::uint64_t modifierFlags) {
    std::uint32_t mask = 0;
    if (modifierFlags & modifierFlag::command)
        mask |= carbonModifier::cmdKey;
    if (modifierFlags & modifierFlag::option)
        mask |= carbonModifier::optionKey;
    if (modifierFlags & modifierFlag::control)
        mask |= carbonModifier::controlKey;
    if (modifierFlags & modifierFlag::shift)
        mask |= carbonModifier::shiftKey;
    return mask;
}

std::string GlobalKeybindPreferences::modifierSymbols(std::uint64_t modifierFlags) {
    std::string text;
    if (modifierFlags & modifierFlag::control)
        text += "⌃";
    if (modifierFlags & modifierFlag::option)
        text += "⌥";
    if (modifierFlags & modifierFlag::shift)
        text += "⇧";
    if (modifierFlags & modifierFlag::command)
        text += "⌘";
    return text;
}

} // namespace wigglet
