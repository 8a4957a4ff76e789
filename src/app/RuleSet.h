#pragma once

#include "app/Rule.h"

#include <optional>
#include <string>
#include <vector>

namespace wigglet {

// The rules as the settings file keeps them: a JSON list in the text value of one key. A list
// or rule that cannot be read counts as absent and is said once in the log; the file is left
// as the user wrote it.
class RuleSet {
  public:
    // The usable rules of the stored list.
    std::vector<Rule> load();
    // Replaces the stored list.
    static void save(const std::vector<Rule>& rules);

  private:
    void warnOnce(const std::string& text, const std::string& problem);

    std::optional<std::string> warnedAbout_;
};

} // namespace wigglet
