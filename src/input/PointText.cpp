#include "input/PointText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace wigglet {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One number found in the text, and where the scan goes on.
struct Scanned {
    double value;
    std::size_t end;
};

// Where the number's decimal significand starts and ends, and how large it is: the power of
// ten of its leading non-zero digit, which decides overflow against underflow.
struct Shape {
    std::size_t end = 0;
    bool hasDigits = false;
    bool allZero = true;
    long magnitude = 0;
};

Shape significand(std::string_view text, std::size_t at) {
    Shape shape;
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    bool seenNonZero = false;
    std::size_t i = at;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        shape.hasDigits = true;
        if (text[i] != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++integerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        const std::size_t afterPoint = i + 1;
        std::size_t j = afterPoint;
        for (; j < text.size() && isDigit(text[j]); ++j) {
            if (text[j] != '0')
                seenNonZero = true;
            else if (!seenNonZero)
                ++leadingFractionZeros;
        }
        if (j > afterPoint || shape.hasDigits) {
            shape.hasDigits = shape.hasDigits || j > afterPoint;
            i = j;
        }
    }
    shape.end = i;
    shape.allZero = !seenNonZero;
    shape.magnitude = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
    return shape;
}

// The exponent part, if one follows; returns its end and adds its value to the magnitude.
std::size_t exponent(std::string_view text, std::size_t at, long& magnitude) {
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return at;
    std::size_t i = at + 1;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i]))
        return at;
    long value = 0;
    constexpr long cap = 100000;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = std::min(cap, value * 10 + (text[i] - '0'));
    magnitude += negative ? -value : value;
    return i;
}

std::optional<Scanned> numberAt(std::string_view text, std::size_t at) {
    std::size_t start = at;
    bool negative = false;
    if (text[start] == '+' || text[start] == '-')
        negative = text[start++] == '-';
    if (start >= text.size())
        return std::nullopt;
    Shape shape = significand(text, start);
    if (!shape.hasDigits)
        return std::nullopt;
    const std::size_t end = exponent(text, shape.end, shape.magnitude);

    double value = 0;
    const auto [ptr, error] = std::from_chars(text.data() + start, text.data() + end, value);
    if (error == std::errc::result_out_of_range) {
        const bool overflow = !shape.allZero && shape.magnitude > 0;
        value = overflow ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc() || ptr != text.data() + end) {
        return std::nullopt;
    }
    return Scanned{negative ? -value : value, end};
}

std::string shortest(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc())
        return "0";
    return std::string(buffer.data(), end);
}

} // namespace

Point PointText::parse(std::string_view text) {
    std::array<double, 2> found{0.0, 0.0};
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size() && count < found.size()) {
        if (const auto number = numberAt(text, i)) {
            found[count++] = number->value;
            i = number->end;
        } else {
            ++i;
        }
    }
    return {found[0], found[1]};
}

std::string PointText::format(Point point) {
    return "{" + shortest(point.x) + ", " + shortest(point.y) + "}";
}

} // namespace wigglet
