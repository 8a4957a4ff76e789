#pragma once

#include <string_view>

namespace wigglet {

// The bytes of resources/strings/en.json, built into the program at compile time.
std::string_view englishStringsJson();

} // namespace wigglet
