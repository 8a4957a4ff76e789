#include "foundation/Base64.h"

#include <array>

namespace wigglet {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr int kInvalid = -1;

constexpr std::array<int, 256> makeReverse() {
    std::array<int, 256> table{};
    table.fill(kInvalid);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    return table;
}

constexpr std::array<int, 256> kReverse = makeReverse();

int sextet(char c) {
    return kReverse[static_cast<unsigned char>(c)];
}

} // namespace

std::string Base64::encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t n = std::uint32_t(bytes[i]) << 16;
        if (left > 1)
            n |= std::uint32_t(bytes[i + 1]) << 8;
        if (left > 2)
            n |= bytes[i + 2];
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += left > 1 ? kAlphabet[(n >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[n & 63] : '=';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> Base64::decode(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    const std::string_view body = text.substr(0, text.size() - padding);
    std::vector<std::uint8_t> out;
    out.reserve(body.size() * 3 / 4);
    std::uint32_t buffer = 0;
    int bits = 0;
    for (char c : body) {
        const int value = sextet(c);
        if (value == kInvalid)
            return std::nullopt;
        buffer = (buffer << 6) | std::uint32_t(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(std::uint8_t((buffer >> bits) & 0xFF));
        }
    }
    // Leftover bits must be zero, or the text is not what encode() would have written.
    if (bits > 0 && (buffer & ((1u << bits) - 1)) != 0)
        return std::nullopt;
    return out;
}

} // namespace wigglet
