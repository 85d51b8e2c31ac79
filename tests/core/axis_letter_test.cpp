#include "gcode/axis_letter.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

struct AxisLetterCase {
  const char* text;
  bool accepted;
};

class AxisLetterTest : public testing::TestWithParam<AxisLetterCase> {};

TEST_P(AxisLetterTest, OnlyATiltAxisLetterIsAccepted) {
  const auto problem = AxisLetterProblem(GetParam().text);
  EXPECT_EQ(!problem.has_value(), GetParam().accepted) << '"' << GetParam().text << '"';
  if (problem) {
    EXPECT_NE(problem->find("ANGLE LETTER"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, AxisLetterTest,
                         testing::Values(AxisLetterCase{"A", true}, AxisLetterCase{"B", true},
                                         AxisLetterCase{"z", true}, AxisLetterCase{" A", true},
                                         AxisLetterCase{"A  ", true}, AxisLetterCase{"", false},
                                         AxisLetterCase{"   ", false}, AxisLetterCase{"AB", false},
                                         AxisLetterCase{"A B", false}, AxisLetterCase{"1", false},
                                         AxisLetterCase{"\xc4", false},
                                         AxisLetterCase{"\tA", false}, AxisLetterCase{"A;", false},
                                         AxisLetterCase{"C", true}, AxisLetterCase{"W", true},
                                         AxisLetterCase{"X", false}, AxisLetterCase{"Y", false},
                                         AxisLetterCase{"F", false}, AxisLetterCase{"G", false},
                                         AxisLetterCase{"m", false}));

TEST(AxisLetterProblem, ShowsControlCharactersAsEscapes) {
  EXPECT_EQ(AxisLetterProblem("A\nG0"),
            "ANGLE LETTER \"A\\nG0\" must be one of Z, A, B, C, U, V, W");
  EXPECT_EQ(AxisLetterProblem("\x01\r\t"),
            "ANGLE LETTER \"\\x01\\r\\t\" must be one of Z, A, B, C, U, V, W");
}

}  // namespace
}  // namespace korvex
