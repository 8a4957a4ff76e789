#pragma once

#include <map>
#include <string>
#include <string_view>

namespace wigglet {

// Looks up user-visible texts by localisation key in the English table built into the
// program; a key missing from the table reads as the key itself. It does not format or
// pluralise: callers put the pieces together.
class Localizer {
  public:
    // The English table built into the program.
    Localizer();
    // A table read from JSON text (an object of key to text). Text that is not such an object
    // gives an empty table; entries whose value is not text are left out.
    static Localizer fromJson(std::string_view json);

    static Localizer& shared();

    std::string string(std::string_view key) const;
    bool contains(std::string_view key) const;
    std::size_t size() const { return table_.size(); }

  private:
    struct Empty {};
    explicit Localizer(Empty) {}

    std::map<std::string, std::string, std::less<>> table_;
};

// Shorthand for Localizer::shared().string(key).
std::string localized(std::string_view key);

} // namespace wigglet
