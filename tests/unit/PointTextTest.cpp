#include "input/PointText.h"

#include "BehaviourRowName.h"
#include "platform/Random.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <string>

using namespace wigglet;

namespace {

struct ParseRow {
    const char* behaviour;
    const char* text;
    Point expected;
};

class PointTextParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(PointTextParse, ReadsTheFirstTwoNumbers) {
    const Point p = PointText::parse(GetParam().text);
    EXPECT_EQ(p.x, GetParam().expected.x);
    EXPECT_EQ(p.y, GetParam().expected.y);
}

constexpr double kMax = std::numeric_limits<double>::max();
const std::string kHugeText = "{1" + std::string(400, '0') + ", 1}";

INSTANTIATE_TEST_SUITE_P(
    Rows, PointTextParse,
    ::testing::Values(
        ParseRow{"the formatted form reads back", "{512.4, 200}", {512.4, 200}},
        ParseRow{"negative coordinates keep their sign", "{-3, -4.5}", {-3, -4.5}},
        ParseRow{"a single number gives y zero", "{7}", {7, 0}},
        ParseRow{"empty text gives the origin", "", {0, 0}},
        ParseRow{"text without numbers gives the origin", "nowhere", {0, 0}},
        ParseRow{"numbers after the second are ignored", "{1, 2, 3}", {1, 2}},
        ParseRow{"numbers are found anywhere in the text", "x=12 y=34", {12, 34}},
        ParseRow{"exponents are part of a number", "{1e3, 2.5E-1}", {1000, 0.25}},
        ParseRow{"a bare e is not an exponent", "{1e, 2}", {1, 2}},
        ParseRow{"a decimal point may start or end a number", "{.5, 5.}", {0.5, 5}},
        ParseRow{"a lone point or sign is not a number", "{., -, +}", {0, 0}},
        ParseRow{"a plus sign is accepted", "{+8, 9}", {8, 9}},
        ParseRow{"a second decimal point starts the next number", "1.5.6", {1.5, 0.6}},
        ParseRow{"a doubled sign leaves the last one", "{--3, 4}", {-3, 4}},
        ParseRow{"huge magnitudes saturate", "{1e999, -1e999}", {kMax, -kMax}},
        ParseRow{"huge significands without exponent saturate", kHugeText.c_str(), {kMax, 1}},
        ParseRow{"tiny magnitudes read as zero", "{1e-999, 3}", {0, 3}},
        ParseRow{"blanks around numbers do not matter", "{  12 ,\t34 }", {12, 34}}),
    wigglet::test::BehaviourRowName());

// The text sits in a buffer of exactly its length, so a read past it is caught by the
// address sanitizer build.
Point parseUnterminated(const std::string& text) {
    const auto buffer = std::make_unique<char[]>(text.size());
    std::memcpy(buffer.get(), text.data(), text.size());
    return PointText::parse(std::string_view(buffer.get(), text.size()));
}

TEST(PointTextBounds, NeverReadsPastTheEndOfItsInput) {
    const std::string full = "{12.5e+3, 34}";
    EXPECT_EQ(PointText::parse(std::string_view(full).substr(0, 3)), (Point{12, 0}));
    EXPECT_EQ(PointText::parse(std::string_view(full).substr(0, 6)), (Point{12.5, 0}));
    EXPECT_EQ(PointText::parse(std::string_view(full).substr(0, 7)), (Point{12.5, 0}));
    for (std::size_t n = 0; n <= full.size(); ++n)
        parseUnterminated(full.substr(0, n));
    EXPECT_EQ(parseUnterminated("-"), (Point{0, 0}));
    EXPECT_EQ(parseUnterminated("1e-"), (Point{1, 0}));
}

struct FormatRow {
    const char* behaviour;
    Point point;
    const char* expected;
};

class PointTextFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(PointTextFormat, WritesBracesAndTheShortestDecimals) {
    EXPECT_EQ(PointText::format(GetParam().point), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PointTextFormat,
    ::testing::Values(
        FormatRow{"fractions keep only the digits they need", {512.4, 200}, "{512.4, 200}"},
        FormatRow{"the origin", {0, 0}, "{0, 0}"},
        FormatRow{"negative values", {-3.25, -7}, "{-3.25, -7}"},
        FormatRow{"a third keeps all its digits", {0.1, 1.0 / 3}, "{0.1, 0.3333333333333333}"},
        FormatRow{"large values use an exponent", {1e21, 5e-7}, "{1e+21, 5e-07}"}),
    wigglet::test::BehaviourRowName());

TEST(PointTextRoundTrip, EveryFiniteValueReadsBackExactly) {
    Random random(11);
    for (int i = 0; i < 20000; ++i) {
        double x, y;
        if (i % 2) {
            x = random.uniformReal(-5000, 5000);
            y = random.uniformReal(-5000, 5000);
        } else {
            x = std::bit_cast<double>(random.next());
            y = std::bit_cast<double>(random.next());
            if (!std::isfinite(x) || !std::isfinite(y))
                continue;
        }
        const std::string text = PointText::format({x, y});
        const Point back = PointText::parse(text);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back.x), std::bit_cast<std::uint64_t>(x)) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back.y), std::bit_cast<std::uint64_t>(y)) << text;
    }
}

} // namespace
