#include "base/format_number.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

struct FormatCase {
  double value;
  const char* mask;
  const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, FormatsWithTheMask) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FormatNumberTest,
    testing::Values(FormatCase{12.34567, "#.000", "12.346"}, FormatCase{-100, "#.000", "-100.000"},
                    FormatCase{0.5, "#.000", "0.500"}, FormatCase{0, "#.000", "0.000"},
                    FormatCase{-0.25, "#.000", "-0.250"}, FormatCase{-0.0004, "#.000", "-0.000"},
                    FormatCase{-0.0, "#.000", "0.000"}, FormatCase{1234.5, "#.000", "1234.500"},
                    FormatCase{0.0005, "#.000", "0.001"},  // the double lies just above the tie
                    FormatCase{0.125, "#.00", "0.12"}, FormatCase{0.375, "#.00", "0.38"},
                    FormatCase{40, "000.0", "040.0"}, FormatCase{8, "000.0", "008.0"},
                    FormatCase{114.3, "000.0", "114.3"}, FormatCase{60.25, "000.0", "060.2"},
                    FormatCase{1234.5, "000.0", "1234.5"}, FormatCase{1, "000", "001"},
                    FormatCase{91, "000", "091"}, FormatCase{1001, "000", "1001"},
                    FormatCase{2.5, "000", "002"}, FormatCase{3.5, "000", "004"},
                    FormatCase{0.5, "0.000", "0.500"}, FormatCase{207.3, "0.000", "207.300"},
                    FormatCase{125.66370614359172, "0.000", "125.664"},
                    FormatCase{1e20, "#.000", "100000000000000000000.000"}));

}  // namespace
}  // namespace korvex
