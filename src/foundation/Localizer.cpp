#include "foundation/Localizer.h"

#include "foundation/EnglishStrings.h"
#include "platform/Platform.h"

#include <nlohmann/json.hpp>

namespace wigglet {

Localizer::Localizer() : Localizer(fromJson(englishStringsJson())) {}

Localizer Localizer::fromJson(std::string_view text) {
    Localizer localizer{Empty{}};
    const auto parsed = nlohmann::json::parse(text, nullptr, false);
    if (!parsed.is_object())
        return localizer;
    for (const auto& [key, value] : parsed.items())
        if (value.is_string())
            localizer.table_.emplace(key, value.get<std::string>());
    return localizer;
}

Localizer& Localizer::shared() {
    return Platform::current().shared<Localizer>();
}

std::string Localizer::string(std::string_view key) const {
    const auto it = table_.find(key);
    return it == table_.end() ? std::string(key) : it->second;
}

bool Localizer::contains(std::string_view key) const {
    return table_.contains(key);
}

std::string localized(std::string_view key) {
    return Localizer::shared().string(key);
}

} // namespace wigglet
