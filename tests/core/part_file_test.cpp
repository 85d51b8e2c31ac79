#include "project/part_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/memory_panel.h"
#include "app/part_panel.h"
#include "app/project_panel.h"

namespace korvex {
namespace {

PartReading Read(std::string_view text) {
  return ReadPartFile(text, "tee.kvxp", PanelDefaultPart(), DefaultPartHole());
}

struct RefusedCase {
  const char* name;
  std::string text;
  const char* refusal;
};

class RefusedPartFile : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPartFile, NamesTheFileAndLine) {
  const PartReading reading = Read(GetParam().text);
  EXPECT_FALSE(reading.part);
  EXPECT_EQ(reading.refusal, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedPartFile,
    testing::Values(
        RefusedCase{"UnknownTopKey", "name = \"a\"\ncolour = 1\n",
                    "tee.kvxp:2: unknown key 'colour'"},
        RefusedCase{"UnknownEndKey", "[left]\ndistance = 1\n\nlength = 2\n",
                    "tee.kvxp:4: unknown key 'length' in [left]"},
        RefusedCase{"TextForANumber", "[tube]\ndiameter = \"60.3\"\n",
                    "tee.kvxp:2: 'diameter' in [tube] must be a number"},
        RefusedCase{"FractionalSegments", "[tube]\nsegments = 90.0\n",
                    "tee.kvxp:2: 'segments' in [tube] must be a whole number"},
        RefusedCase{"NoSegments", "[tube]\nsegments = 0\n",
                    "tee.kvxp:2: 'segments' in [tube] must be a whole number from 1 to 1000"},
        RefusedCase{"NumberForAFlag", "[right]\noval = 1\n",
                    "tee.kvxp:2: 'oval' in [right] must be true or false"},
        RefusedCase{"SquareAngle", "[right]\nangle = -90\n",
                    "tee.kvxp:2: 'angle' in [right] must lie between -90 and 90 degrees"},
        RefusedCase{"InfiniteOffset", "[left]\noffset = inf\n",
                    "tee.kvxp:2: 'offset' in [left] must be a finite number"},
        RefusedCase{"NegativeWall", "[tube]\nwall = -1\n",
                    "tee.kvxp:2: 'wall' in [tube] must not be less than 0"},
        RefusedCase{"EndFitOfAHole", "[left]\nfit = \"set-in\"\n",
                    "tee.kvxp:2: 'fit' in [left] must be \"outside\" or \"inside\""},
        RefusedCase{"HoleFitOfAnEnd", "[[hole]]\nat = 1\n[[hole]]\nfit = \"inside\"\n",
                    "tee.kvxp:4: 'fit' in [[hole]] must be \"set-on\" or \"set-in\""},
        RefusedCase{"FlatBranch", "[[hole]]\nbranch-diameter = 0\n",
                    "tee.kvxp:2: 'branch-diameter' in [[hole]] must be greater than 0"},
        RefusedCase{"OneHoleAsATable", "[hole]\nat = 1\n",
                    "tee.kvxp:1: 'hole' must be tables [[hole]]"},
        RefusedCase{"HeaderWithoutKey", "[\ndiameter = 42.4\n",
                    "tee.kvxp:1: Error while parsing key: expected bare key starting "
                    "character or string delimiter, saw '\\n'"},
        RefusedCase{"BareNonAscii",
                    "name = \"M\xc3\xbcller \\\" 'f\xc3\xbcr' \"\n# f\xc3\xbcr\n\xc5\xbe = 1\n",
                    "tee.kvxp:3: a character beyond ASCII outside double quotes"},
        RefusedCase{"NonAsciiLiteral", "name = '''\n\xc3\xa9'''\n",
                    "tee.kvxp:2: a character beyond ASCII outside double quotes"},
        RefusedCase{"NotUtf8", "[tube]\nangle-letter = \"\xc3\"\n",
                    "tee.kvxp:2: bytes that are not UTF-8"},
        RefusedCase{"NotToml", "[tube]\ndiameter = 60.3\nwall 3.9\n",
                    "tee.kvxp:3: Error while parsing key-value pair: expected '=', saw '3'"},
        // Nesting, headers, dotted keys, arrays and inline tables together: 32 levels reach the
        // parser, 33 are refused before it. Brackets in texts and comments are text.
        RefusedCase{"ArraysAt32", "[tube]\nx = " + std::string(30, '[') + std::string(30, ']'),
                    "tee.kvxp:2: unknown key 'x' in [tube]"},
        RefusedCase{"ArraysAt33", "[tube]\nx = " + std::string(31, '[') + std::string(31, ']'),
                    "tee.kvxp:2: tables, keys, arrays and inline tables nested more than 32 deep"},
        RefusedCase{"DottedKeyAt32",
                    "\"a.b.c\".k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k = 1",
                    "tee.kvxp:1: unknown key 'a.b.c'"},
        RefusedCase{
            "DottedKeyUnderAHeaderAt33",
            "[a.b]\nx = 1\nk.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k.k = 1",
            "tee.kvxp:3: tables, keys, arrays and inline tables nested more than 32 deep"},
        RefusedCase{"InlineTablesAt32",
                    "x = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = "
                    "{a = {}}}}}}}}}}}}}}}}",
                    "tee.kvxp:1: unknown key 'x'"},
        RefusedCase{"InlineTablesAt33",
                    "x = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = {a = "
                    "{a = {a = 1}}}}}}}}}}}}}}}}",
                    "tee.kvxp:1: tables, keys, arrays and inline tables nested more than 32 deep"},
        RefusedCase{
            "BracketsInTextsAndComments",
            "name = \"" + std::string(40, '[') + "\" # " + std::string(40, '{') + "\ncolour = 1\n",
            "tee.kvxp:2: unknown key 'colour'"},
        RefusedCase{
            "EachStatementFromItsTable",
            "[t]\na = [[1], [2], [[3]]]\nb = " + std::string(30, '[') + std::string(30, ']'),
            "tee.kvxp:1: unknown key 't'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PartFile, MissingKeysTakeThePanelsDefaultsAndIntegersServeAsNumbers) {
  const PartReading reading = Read("[tube]\ndiameter = 60\n[[hole]]\nat = 5\n");
  ASSERT_TRUE(reading.part) << reading.refusal;
  Part expected = PanelDefaultPart();
  expected.diameter = 60;
  expected.holes = {DefaultPartHole()};
  expected.holes[0].at = 5;
  EXPECT_EQ(*reading.part, expected);
  // The panel starts with a 40 x 4 tube in 90 segments, both ends flat at 45 degrees, ±100.
  EXPECT_EQ(expected.left, (PartEnd{-100, 40, 45, 0}));
  EXPECT_EQ(expected.right, (PartEnd{100, 40, 45, 0}));
  EXPECT_EQ(expected.wall, 4);
  EXPECT_EQ(expected.segments, 90);
  EXPECT_EQ(expected.angleLetter, "A");
}

// Every value away from its default, texts that need escapes, numbers with long expansions.
Part FullPart() {
  Part part;
  part.name = "tee \"\xc3\x84\"\\1\n\xe2\x82\xac";
  part.quantity = 12;
  part.diameter = 60.3;
  part.wall = 3.9;
  part.segments = 360;
  part.angleLetter = "B";
  part.left = {-150.25, 88.9, -12.5, 30, true, true, false, 0.1, EndFit::Inside, 3.2};
  part.right = {1e-7, 42.4, 0, -45, false, false, true, -8, EndFit::Outside};
  part.holes = {{0, 90, 42.4, 3.6, 0, 8, HoleFit::SetOn, false, true},
                {-33.3, -10, 26.9, 2.6, 45, 0, HoleFit::SetIn, true, false}};
  return part;
}

TEST(PartFile, WrittenBytesReadBackToTheSameValuesAndBytes) {
  const FormattedPart file = FormatPartFile(FullPart());
  ASSERT_FALSE(file.refusal);
  const PartReading reading = Read(file.bytes);
  ASSERT_TRUE(reading.part) << reading.refusal;
  EXPECT_EQ(*reading.part, FullPart());
  EXPECT_EQ(FormatPartFile(*reading.part).bytes, file.bytes);
  EXPECT_NE(file.bytes.find("\n[[hole]]\nat = -33.3\nturn = -10\nbranch-diameter = 26.9\n"),
            std::string::npos);
}

TEST(PartFile, WhatCouldNotBeReadIsNeverWritten) {
  Part part = FullPart();
  part.holes[1].angle = 90;
  EXPECT_EQ(FormatPartFile(part).refusal,
            "'angle' in [[hole]] must lie between -90 and 90 degrees");
  part = FullPart();
  part.wall = std::nan("");
  EXPECT_EQ(FormatPartFile(part).refusal, "'wall' in [tube] must be a finite number");
}

TEST(PartFile, ThePanelShowsItsValuesAndKeepsTheRest) {
  MemoryPanel panel;
  ShowPartInPanel(FullPart(), panel);
  // What the panel does not show comes from the part it is read into.
  Part rest = FullPart();
  rest.diameter = rest.wall = 0;
  rest.segments = 1;
  rest.angleLetter.clear();
  for (PartEnd* end : {&rest.left, &rest.right})
    *end = {0, 0, 0, 0, false, false, false, end->offset, end->fit, end->joiningWall};
  EXPECT_EQ(PartFromPanel(panel, rest), FullPart());
  EXPECT_TRUE(NeedsPartFile(FullPart()));
}

}  // namespace
}  // namespace korvex
