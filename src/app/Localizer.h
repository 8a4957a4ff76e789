#pragma once

#include <string>
#include <string_view>

namespace wigglet {

// Looks up user-visible texts by localisation key; a key missing from the table reads as the
// key itself.
class Localizer {
  public:
    static Localizer& shared();
    std::string string(std::string_view key) const;
};

// Shorthand for Localizer::shared().string(key).
std::string localized(std::string_view key);

} // namespace wigglet
