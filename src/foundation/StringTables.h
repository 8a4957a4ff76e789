#pragma once

#include <span>
#include <string_view>

namespace wigglet {

// One localisation table: the language it is for ("de", "pt_BR") and its JSON text.
struct StringTable {
    std::string_view language;
    std::string_view json;
};

// The tables of resources/strings/, English among them, built into the program at compile time
// so that no install path can be wrong.
std::span<const StringTable> builtInStringTables();

} // namespace wigglet
