#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wigglet {

// Standard base64 (RFC 4648, with padding) for the data values of the settings file. Decoding
// is strict: anything that is not canonical base64 yields no value rather than a guess.
class Base64 {
  public:
    static std::string encode(const std::vector<std::uint8_t>& bytes);
    static std::optional<std::vector<std::uint8_t>> decode(std::string_view text);
};

} // namespace wigglet
