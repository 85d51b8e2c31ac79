#include "base/parse_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvex {
namespace {

struct ParseCase {
  const char* text;
  double expected;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(ParseNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseNumberTest,
    testing::Values(ParseCase{"40", 40}, ParseCase{" 40 mm", 40}, ParseCase{"\t\n 7", 7},
                    ParseCase{"4O", 4}, ParseCase{"-100", -100}, ParseCase{"+2.5", 2.5},
                    ParseCase{"-.5", -0.5}, ParseCase{"5.", 5}, ParseCase{"1.2.3", 1.2},
                    ParseCase{"12abc", 12}, ParseCase{"1,5", 1}, ParseCase{"1e2", 100},
                    ParseCase{"1E-2", 0.01}, ParseCase{"2d3", 2000}, ParseCase{"2D+1", 20},
                    ParseCase{"3e", 3}, ParseCase{"3e+", 3}, ParseCase{"", 0}, ParseCase{"abc", 0},
                    ParseCase{".", 0}, ParseCase{"-", 0}, ParseCase{"- 5", 0}, ParseCase{"\r5", 0},
                    ParseCase{"&H1F", 31}, ParseCase{"&hff", 255}, ParseCase{"&B101", 5},
                    ParseCase{"&O17", 15}, ParseCase{"&q17", 15}, ParseCase{"&17", 15},
                    ParseCase{"&18", 1}, ParseCase{"&H", 0}, ParseCase{"&", 0},
                    ParseCase{"  &HG", 0}, ParseCase{"0.1", 0.1}, ParseCase{"1e-400", 0},
                    ParseCase{"000000000000000000000000012", 12}));

TEST(ParseNumber, OverflowGivesInfinityWithTheSign) {
  EXPECT_EQ(ParseNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-9e99999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("0.0001e313"), std::numeric_limits<double>::infinity());  // 1e309
}

// Zeros right after the point make a small number even when the exponent is positive.
TEST(ParseNumber, UnderflowGivesZeroWhateverTheExponentsSign) {
  const std::string zeros(324, '0');
  EXPECT_EQ(ParseNumber("0." + zeros + "1e1"), 0.0);  // 1e-324
  const double negative = ParseNumber("-0." + std::string(400, '0') + "7e3");  // -7e-398
  EXPECT_EQ(negative, 0.0);
  EXPECT_TRUE(std::signbit(negative));
  EXPECT_EQ(ParseNumber("0." + std::string(323, '0') + "1e1"), 1e-323);
}

TEST(ParseNumber, VeryLongTextsAreRead) {
  const std::string digits(100000, '9');
  EXPECT_EQ(ParseNumber(digits), std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(ParseNumber("0." + digits), 1.0);
}

TEST(RoundToInt, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {
      {90, 90}, {90.4, 90}, {90.5, 90},         {91.5, 92},          {-0.5, 0},
      {2.5, 2}, {-1.5, -2}, {1e300, INT32_MAX}, {-1e300, INT32_MIN}, {std::nan(""), 0}};
  for (auto [value, expected] : cases)
    EXPECT_EQ(RoundToInt(value), expected) << value;
}

}  // namespace
}  // namespace korvex
