#include "input/PointText.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace wigglet;

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(PointTextParse, ReadsTheFirstTwoNumbers) {
    const std::string huge = "{1" + std::string(400, '0') + ", 1}";
    const struct {
        const char* behaviour;
        std::string text;
        Point expected;
    } rows[] = {
        {"the formatted form reads back", "{512.4, 200}", {512.4, 200}},
        {"negative coordinates keep their sign", "{-3, -4.5}", {-3, -4.5}},
        {"a single number gives y zero", "{7}", {7, 0}},
        {"empty text gives the origin", "", {0, 0}},
        {"text without numbers gives the origin", "nowhere", {0, 0}},
        {"numbers after the second are ignored", "{1, 2, 3}", {1, 2}},
        {"numbers are found anywhere in the text", "x=12 y=34", {12, 34}},
        {"exponents are part of a number", "{1e3, 2.5E-1}", {1000, 0.25}},
        {"a bare e is not an exponent", "{1e, 2}", {1, 2}},
        {"a decimal point may start or end a number", "{.5, 5.}", {0.5, 5}},
        {"a lone point or sign is not a number", "{., -, +}", {0, 0}},
        {"a plus sign is accepted", "{+8, 9}", {8, 9}},
        {"a second decimal point starts the next number", "1.5.6", {1.5, 0.6}},
        {"a doubled sign leaves the last one", "{--3, 4}", {-3, 4}},
        {"huge magnitudes saturate", "{1e999, -1e999}", {kMax, -kMax}},
        {"huge significands without exponent saturate", huge, {kMax, 1}},
        {"tiny magnitudes read as zero", "{1e-999, 3}", {0, 3}},
        {"blanks around numbers do not matter", "{  12 ,\t34 }", {12, 34}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PointText::parse(row.text), row.expected) << row.behaviour;
}

// Reading past the end, and the round trip of every finite point, are point_text_fuzz's.
TEST(PointTextBounds, ANumberEndsWithItsText) {
    const std::string_view full = "{12.5e+3, 34}";
    EXPECT_EQ(PointText::parse(full.substr(0, 3)), (Point{12, 0}));
    EXPECT_EQ(PointText::parse(full.substr(0, 6)), (Point{12.5, 0}));
    EXPECT_EQ(PointText::parse(full.substr(0, 7)), (Point{12.5, 0}));
    EXPECT_EQ(PointText::parse("1e-"), (Point{1, 0}));
}

TEST(PointTextFormat, WritesBracesAndTheShortestDecimals) {
    const struct {
        const char* behaviour;
        Point point;
        const char* expected;
    } rows[] = {
        {"fractions keep only the digits they need", {512.4, 200}, "{512.4, 200}"},
        {"the origin", {0, 0}, "{0, 0}"},
        {"negative values", {-3.25, -7}, "{-3.25, -7}"},
        {"a third keeps all its digits", {0.1, 1.0 / 3}, "{0.1, 0.3333333333333333}"},
        {"large values use an exponent", {1e21, 5e-7}, "{1e+21, 5e-07}"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PointText::format(row.point), row.expected) << row.behaviour;
}

} // namespace
