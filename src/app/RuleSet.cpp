#include "app/RuleSet.h"

#include "foundation/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

namespace wigglet {

std::vector<Rule> RuleSet::load() {
    const std::optional<std::string> text =
        SettingsStore::shared().stringForKey(SettingsKey::rules);
    std::vector<Rule> rules;
    if (!text || text->empty())
        return rules;
    const nlohmann::json list = nlohmann::json::parse(*text, nullptr, false);
    if (!list.is_array()) {
        warnOnce(*text, "the rules are not a JSON list");
        return rules;
    }
    std::string problems;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string reason;
        if (auto rule = Rule::fromJson(list[i], reason))
            rules.push_back(std::move(*rule));
        else
            problems +=
                (problems.empty() ? "" : "; ") + ("rule " + std::to_string(i + 1) + ": " + reason);
    }
    if (!problems.empty())
        warnOnce(*text, problems);
    return rules;
}

void RuleSet::save(const std::vector<Rule>& rules) {
    nlohmann::json list = nlohmann::json::array();
    for (const Rule& rule : rules)
        list.push_back(rule.toJson());
    SettingsStore& store = SettingsStore::shared();
    store.setString(SettingsKey::rules, list.dump());
    store.synchronize();
}

void RuleSet::warnOnce(const std::string& text, const std::string& problem) {
    if (warnedAbout_ == text)
        return;
    warnedAbout_ = text;
    Platform::current().system().log(LogLevel::Error,
                                     "Settings: ignoring unusable rules (" + problem + ")");
}

} // namespace wigglet
