#include "foundation/LanguageChoice.h"

#include <algorithm>
#include <string_view>

namespace wigglet {

namespace {

// The locale that sets the messages' category: LC_ALL over LC_MESSAGES over LANG.
const std::string& messagesLocale(const LocaleVariables& variables) {
    for (const std::string* value : {&variables.all, &variables.messages, &variables.lang})
        if (!value->empty())
            return *value;
    return variables.lang;
}

bool isPortableLocale(std::string_view locale) {
    const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    return name.empty() || name == "C" || name == "POSIX";
}

void addOnce(std::vector<std::string>& languages, std::string_view name) {
    if (!name.empty() && std::ranges::find(languages, name) == languages.end())
        languages.emplace_back(name);
}

// "pt_BR.UTF-8@latin" gives pt_BR, then pt.
void addWithBareLanguage(std::vector<std::string>& languages, std::string_view locale) {
    const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    addOnce(languages, name);
    addOnce(languages, name.substr(0, name.find('_')));
}

} // namespace

std::vector<std::string> LanguageChoice::of(const LocaleVariables& variables) {
    const std::string& locale = messagesLocale(variables);
    std::vector<std::string> languages;
    if (isPortableLocale(locale))
        return languages;
    std::string_view list = variables.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        addWithBareLanguage(languages, list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    addWithBareLanguage(languages, locale);
    return languages;
}

} // namespace wigglet
