#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace wigglet {

// Looks up user-visible texts by localisation key in one of the tables built into the
// program. A key that the table lacks reads as its English text, and one that English lacks
// as the key itself. Texts may hold placeholders %1 to %9, which format() fills; the caller
// still puts the pieces together and nothing is pluralised.
class Localizer {
  public:
    // English.
    Localizer();
    // The table of the first of these languages that has one; English when none has.
    static Localizer forLanguages(const std::vector<std::string>& languages);
    // A table read from JSON text (an object of key to text). Text that is not such an object
    // gives an empty table; entries whose value is not text are left out.
    static Localizer fromJson(std::string_view json);

    // The table for the platform's locale, chosen on first use.
    static Localizer& shared();

    std::string string(std::string_view key) const;
    // The text with %1, %2, ... replaced by the arguments in that order.
    std::string format(std::string_view key, const std::vector<std::string>& arguments) const;
    // Whether the key has a text, in the table or in English.
    bool contains(std::string_view key) const;
    // The entries of the table itself.
    std::size_t size() const { return table_.size(); }
    // The table's language ("de", "pt_BR"); empty for one read from JSON.
    const std::string& language() const { return language_; }

    using Table = std::map<std::string, std::string, std::less<>>;

  private:
    Localizer(std::string language, Table table);

    std::string language_;
    Table table_;
};

// Shorthand for Localizer::shared().string(key).
std::string localized(std::string_view key);

} // namespace wigglet
