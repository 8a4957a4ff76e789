#include "foundation/Localizer.h"

#include "foundation/LanguageChoice.h"
#include "foundation/StringTables.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <utility>

namespace wigglet {

namespace {

constexpr std::string_view englishLanguage = "en";

Localizer::Table parsedTable(std::string_view text) {
    Localizer::Table table;
    const auto parsed = nlohmann::json::parse(text, nullptr, false);
    if (!parsed.is_object())
        return table;
    for (const auto& [key, value] : parsed.items())
        if (value.is_string())
            table.emplace(key, value.get<std::string>());
    return table;
}

const StringTable* builtInTable(std::string_view language) {
    for (const StringTable& table : builtInStringTables())
        if (table.language == language)
            return &table;
    return nullptr;
}

// Parsed once: every other table falls back to it.
const Localizer::Table& englishTable() {
    static const Localizer::Table table = parsedTable(builtInTable(englishLanguage)->json);
    return table;
}

const std::string* textIn(const Localizer::Table& table, std::string_view key) {
    const auto it = table.find(key);
    return it == table.end() ? nullptr : &it->second;
}

// The number of the placeholder %1 to %9 at this position; 0 where there is none.
std::size_t placeholderAt(std::string_view text, std::size_t position) {
    if (position + 1 >= text.size() || text[position] != '%')
        return 0;
    const char digit = text[position + 1];
    return digit >= '1' && digit <= '9' ? static_cast<std::size_t>(digit - '0') : 0;
}

} // namespace

Localizer::Localizer() : Localizer(std::string(englishLanguage), englishTable()) {}

Localizer::Localizer(std::string language, Table table)
    : language_(std::move(language)), table_(std::move(table)) {}

Localizer Localizer::forLanguages(const std::vector<std::string>& languages) {
    for (const std::string& language : languages)
        if (const StringTable* table = builtInTable(language))
            return Localizer(language, parsedTable(table->json));
    return Localizer();
}

Localizer Localizer::fromJson(std::string_view text) {
    return Localizer(std::string(), parsedTable(text));
}

Localizer& Localizer::shared() {
    Platform& platform = Platform::current();
    if (Localizer* chosen = platform.find<Localizer>())
        return *chosen;
    auto chosen = std::make_shared<Localizer>(
        forLanguages(LanguageChoice::of(platform.system().localeVariables())));
    platform.provide(chosen);
    return *chosen;
}

std::string Localizer::string(std::string_view key) const {
    if (const std::string* text = textIn(table_, key))
        return *text;
    if (const std::string* text = textIn(englishTable(), key))
        return *text;
    return std::string(key);
}

std::string Localizer::format(std::string_view key,
                              const std::vector<std::string>& arguments) const {
    const std::string text = string(key);
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t number = placeholderAt(text, i);
        if (number == 0 || number > arguments.size()) {
            filled += text[i];
            continue;
        }
        filled += arguments[number - 1];
        ++i;
    }
    return filled;
}

bool Localizer::contains(std::string_view key) const {
    return textIn(table_, key) || textIn(englishTable(), key);
}

std::string localized(std::string_view key) {
    return Localizer::shared().string(key);
}

} // namespace wigglet
