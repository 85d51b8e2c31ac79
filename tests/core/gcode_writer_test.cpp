#include "gcode/gcode_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "app/workspace.h"
#include "base/format_number.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

// The Part's example job: 4 segments, diameter 40, path C:\JOBS\T1.kvx.
Workspace ExampleWorkspace() {
  Workspace workspace;
  workspace.projectPath = "C:\\JOBS\\T1.kvx";
  workspace.cutObjectCount = 2;
  JobParameters& parameters = workspace.job.parameters;
  parameters.cutSegments = 4;
  parameters.mainDiameter = 40;
  parameters.mainRadius = 20;
  parameters.axisLetter = "A";
  const double leftX[] = {-120.5, -110.25, -100, -110.25, -120.5};
  const double rightX[] = {100.5, 110.25, 120, 110.25, 100.5};
  const double y[] = {62.832, 31.416, 0, -31.416, -62.832};
  for (int i = 0; i < 5; ++i) {
    workspace.job.left.path.x[i] = leftX[i];
    workspace.job.left.path.y[i] = y[i];
    workspace.job.left.path.z[i] = 0;
    workspace.job.right.path.x[i] = rightX[i];
    workspace.job.right.path.y[i] = y[i];
    workspace.job.right.path.z[i] = 0.5;
  }
  return workspace;
}

// The program of the workspace's job with the header values given here.
std::string Format(const Workspace& w, const std::string& letter, double diameter) {
  return FormatGcodeProgram(w.job, {w.projectPath, letter, diameter, w.cutObjectCount});
}

std::optional<std::string> Write(const std::string& path, const std::string& letter,
                                 double diameter, const Workspace& w) {
  return WriteGcodeProgram(path, w.job, {w.projectPath, letter, diameter, w.cutObjectCount});
}

const char* const kHeaderLines[] = {
    "(Version       4            )",
    "(Begin        C:\\JOBS\\T1.kvx              )",
    "(Units        mm            )",
    "(ToolOfset     0            )",
    "(TUBE DIAMETER)",
    "(040.0)",
    "(Objects)",
    "(002)",
    "G21 (Unit IN mm)",
    "G90 (Absolute distance MODE)",
    "G64 P0.1 (exact path mode)",
    "G17 ",
    "G40 (CANCEL diameter comp.) ",
    "G49 (CANCEL length comp.) ",
    "G10 L1 P2 R0.75",
    "T1M6 (Tool change TO T1) ",
    "F2000",
};

const char* const kExampleBody[] = {
    "(Object)",
    "(001)",
    "(005)",
    "G0 X -120.500 Y 62.832 A 0.000",
    "F1000",
    "S5000M03 (Spindle 5000rpm cw)",
    "G4 P2.0",
    "G1 X -110.250 Y 31.416 A 0.000",
    "G1 X -100.000 Y 0.000 A 0.000",
    "G1 X -110.250 Y -31.416 A 0.000",
    "G1 X -120.500 Y -62.832 A 0.000",
    "M5",
    "(Object)",
    "(002)",
    "(005)",
    "G0 X 100.500 Y 62.832 A 0.500",
    "F1000",
    "S5000M03 (Spindle 5000rpm cw)",
    "G4 P2.0",
    "G1 X 110.250 Y 31.416 A 0.500",
    "G1 X 120.000 Y 0.000 A 0.500",
    "G1 X 110.250 Y -31.416 A 0.500",
    "G1 X 100.500 Y -62.832 A 0.500",
    "M5",
    "G0 X 0.000 Y 0.000 Z 0.000",
    "M2 (Program end)",
    "(Finish)",
};

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

// The program's lines without their CR LF; fails the test on a line not ended by CR LF.
std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF: " << text.substr(start);
      break;
    }
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

using test::ReadAll;

class GcodeWriterTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.file(name); }

  test::TempFolder folder_;
};

TEST_F(GcodeWriterTest, TheExampleProgramIsByteIdentical) {
  std::vector<std::string> lines(std::begin(kHeaderLines), std::end(kHeaderLines));
  lines.insert(lines.end(), std::begin(kExampleBody), std::end(kExampleBody));
  ASSERT_EQ(lines.size(), 44u);
  const std::string expected = JoinCrLf(lines);

  const Workspace workspace = ExampleWorkspace();
  EXPECT_EQ(Format(workspace, "A", 40), expected);

  EXPECT_EQ(Write(Path("T1.ngc"), "A", 40, workspace), std::nullopt);
  EXPECT_EQ(ReadAll(Path("T1.ngc")), expected);
}

TEST_F(GcodeWriterTest, HeaderZoneLinesHaveTheDescribedWidths) {
  const auto lines = SplitCrLf(Format(ExampleWorkspace(), "A", 40));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0].size(), 29u);
  EXPECT_EQ(lines[2].size(), 29u);
  EXPECT_EQ(lines[3].size(), 29u);
  EXPECT_EQ(lines[1].size(), 14u + 14u + 14u + 1u);  // a 14-character path gets 14 blanks
}

TEST_F(GcodeWriterTest, ReplacesAnExistingFile) {
  std::ofstream(Path("old.ngc"), std::ios::binary) << std::string(100000, 'x');
  EXPECT_EQ(Write(Path("old.ngc"), "A", 40, ExampleWorkspace()), std::nullopt);
  EXPECT_EQ(ReadAll(Path("old.ngc")), Format(ExampleWorkspace(), "A", 40));
}

struct BeginCase {
  std::string path;
  std::string expectedLine;
};

class GcodeBeginLineTest : public testing::TestWithParam<BeginCase> {};

TEST_P(GcodeBeginLineTest, PadsThePathToTheNextZone) {
  Workspace workspace = ExampleWorkspace();
  workspace.projectPath = GetParam().path;
  const auto lines = SplitCrLf(Format(workspace, "A", 40));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], GetParam().expectedLine);
  EXPECT_EQ(lines[1].size() % 14, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GcodeBeginLineTest,
    testing::Values(
        BeginCase{"", "(Begin" + std::string(8 + 14, ' ') + ")"},
        BeginCase{"C:\\JOBS\\T.kvx", "(Begin        C:\\JOBS\\T.kvx" + std::string(1, ' ') + ")"},
        BeginCase{"C:\\JOBS\\T1.kvx",
                  "(Begin        C:\\JOBS\\T1.kvx" + std::string(14, ' ') + ")"},
        BeginCase{"C:\\JOBS\\T12.kvx",
                  "(Begin        C:\\JOBS\\T12.kvx" + std::string(13, ' ') + ")"},
        // Brackets and line breaks would end, nest or split the comment: replaced one for one.
        BeginCase{"/jobs (2)/p.kvx", "(Begin        /jobs [2]/p.kvx" + std::string(13, ' ') + ")"},
        BeginCase{"/a\r\nG0 X9\t.kvx", "(Begin        /a??G0 X9?.kvx" + std::string(14, ' ') + ")"},
        BeginCase{"/home/o/p\xE9.kvx",
                  "(Begin        /home/o/p\xE9.kvx" + std::string(14, ' ') + ")"},
        BeginCase{"/home/o/p.kvx", "(Begin        /home/o/p.kvx" + std::string(1, ' ') + ")"},
        // The longest path a line rs274 reads can hold stays whole; a longer one keeps its end.
        BeginCase{"/" + std::string(216, 'd') + "/p.kvx",
                  "(Begin        /" + std::string(216, 'd') + "/p.kvx )"},
        BeginCase{"/" + std::string(217, 'd') + "/p.kvx",
                  "(Begin        ..." + std::string(214, 'd') + "/p.kvx )"}));

TEST(GcodeWriterEdgeTest, ZeroSegmentsGiveOnlyTheRapidMovePerObject) {
  Workspace workspace = ExampleWorkspace();
  workspace.job.parameters.cutSegments = 0;
  std::vector<std::string> expected(std::begin(kHeaderLines), std::end(kHeaderLines));
  for (const char* line :
       {"(Object)", "(001)", "(001)", "G0 X -120.500 Y 62.832 A 0.000", "F1000",
        "S5000M03 (Spindle 5000rpm cw)", "G4 P2.0", "M5", "(Object)", "(002)", "(001)",
        "G0 X 100.500 Y 62.832 A 0.500", "F1000", "S5000M03 (Spindle 5000rpm cw)", "G4 P2.0", "M5",
        "G0 X 0.000 Y 0.000 Z 0.000", "M2 (Program end)", "(Finish)"}) {
    expected.push_back(line);
  }
  EXPECT_EQ(SplitCrLf(Format(workspace, "A", 40)), expected);
}

struct LetterCase {
  std::string letter;
  std::string firstMove;
};

class GcodeAxisLetterTest : public testing::TestWithParam<LetterCase> {};

TEST_P(GcodeAxisLetterTest, WritesTheLetterExactlyAsGiven) {
  const auto lines = SplitCrLf(Format(ExampleWorkspace(), GetParam().letter, 40));
  ASSERT_EQ(lines.size(), 44u);
  EXPECT_EQ(lines[20], GetParam().firstMove);
  EXPECT_EQ(lines[41], "G0 X 0.000 Y 0.000 Z 0.000");  // the trailer always names Z
}

INSTANTIATE_TEST_SUITE_P(Letters, GcodeAxisLetterTest,
                         testing::Values(LetterCase{"A", "G0 X -120.500 Y 62.832 A 0.000"},
                                         LetterCase{"Z", "G0 X -120.500 Y 62.832 Z 0.000"},
                                         LetterCase{"b", "G0 X -120.500 Y 62.832 b 0.000"},
                                         LetterCase{" B ", "G0 X -120.500 Y 62.832  B  0.000"},
                                         LetterCase{"", "G0 X -120.500 Y 62.832  0.000"},
                                         LetterCase{"AB", "G0 X -120.500 Y 62.832 AB 0.000"}));

struct ValueCase {
  double value;
  std::string expected;  // as the X word writes it
};

class GcodeCoordinateTest : public testing::TestWithParam<ValueCase> {};

TEST_P(GcodeCoordinateTest, WritesCoordinatesWithTheMask) {
  Workspace workspace = ExampleWorkspace();
  workspace.job.left.path.x[1] = GetParam().value;
  const auto lines = SplitCrLf(Format(workspace, "A", 40));
  ASSERT_EQ(lines.size(), 44u);
  EXPECT_EQ(lines[24], "G1 X " + GetParam().expected + " Y 31.416 A 0.000");
}

INSTANTIATE_TEST_SUITE_P(Values, GcodeCoordinateTest,
                         testing::Values(ValueCase{0, "0.000"}, ValueCase{-0.0, "0.000"},
                                         ValueCase{-0.25, "-0.250"}, ValueCase{-0.0004, "-0.000"},
                                         ValueCase{0.5, "0.500"}, ValueCase{12.34567, "12.346"},
                                         ValueCase{1234.5, "1234.500"},
                                         ValueCase{-98765.4321, "-98765.432"},
                                         ValueCase{0.0625, "0.062"}, ValueCase{0.1875, "0.188"},
                                         ValueCase{-2.3125, "-2.312"}, ValueCase{0.0005, "0.001"},
                                         ValueCase{999.9995, "1000.000"},
                                         ValueCase{9007199254740991.0, "9007199254740991.000"},
                                         ValueCase{9007199254740992.0, "9007199254740992.000"},
                                         ValueCase{1e20, "100000000000000000000.000"},
                                         ValueCase{1e-300, "0.000"}, ValueCase{-1e-300, "-0.000"}));

TEST(GcodeWriterEdgeTest, CoordinatesMatchFormatNumberForRandomValues) {
  std::mt19937_64 random(20140101);
  std::uniform_real_distribution<double> magnitude(-8, 5);
  Workspace workspace = ExampleWorkspace();
  workspace.job.parameters.cutSegments = 1000;
  std::vector<std::string> expectedMoves;
  for (CutPoints* cut : {&workspace.job.left.path, &workspace.job.right.path}) {
    for (int i = 0; i <= 1000; ++i) {
      double* values[] = {&cut->x[i], &cut->y[i], &cut->z[i]};
      for (double* value : values) {
        const double sign = (random() & 1) ? -1.0 : 1.0;
        *value = sign * std::pow(10.0, magnitude(random));
        // Exact ties: odd sixteenths end in 5 at the fourth decimal.
        if (random() % 10 == 0) *value = sign * static_cast<double>(random() % 100000 | 1) / 16;
        if (random() % 50 == 0)
          *value = sign * std::ldexp(1.0, static_cast<int>(random() % 130) - 70);
        if (random() % 100 == 0) *value = sign * 1e-310;  // subnormal
      }
      expectedMoves.push_back(
          std::string(i == 0 ? "G0" : "G1") + " X " + FormatNumber(cut->x[i], "#.000") + " Y " +
          FormatNumber(cut->y[i], "#.000") + " C " + FormatNumber(cut->z[i], "#.000"));
    }
  }
  std::vector<std::string> moves;
  for (const std::string& line : SplitCrLf(Format(workspace, "C", 114.3))) {
    if (line.starts_with("G0 X") || line.starts_with("G1 X")) moves.push_back(line);
  }
  expectedMoves.push_back("G0 X 0.000 Y 0.000 Z 0.000");
  EXPECT_EQ(moves, expectedMoves);
}

TEST(GcodeWriterEdgeTest, DiameterAndCountsWidenBeyondTheirMasks) {
  Workspace workspace = ExampleWorkspace();
  workspace.job.parameters.cutSegments = 1000;
  workspace.cutObjectCount = 1234;
  const auto lines = SplitCrLf(Format(workspace, "A", 1234.5));
  ASSERT_EQ(lines.size(), 17u + 2u * (1000u + 8u) + 3u);
  EXPECT_EQ(lines[5], "(1234.5)");
  EXPECT_EQ(lines[7], "(1234)");
  EXPECT_EQ(lines[19], "(1001)");
  EXPECT_EQ(SplitCrLf(Format(ExampleWorkspace(), "A", 60.25))[5], "(060.2)");
  EXPECT_EQ(SplitCrLf(Format(ExampleWorkspace(), "A", 8))[5], "(008.0)");
}

TEST(GcodeWriterEdgeTest, EntriesAboveTheSegmentCountAreNotWritten) {
  Workspace workspace = ExampleWorkspace();
  workspace.job.left.path.x[5] = std::numeric_limits<double>::quiet_NaN();
  workspace.job.right.path.z[1000] = std::numeric_limits<double>::infinity();
  EXPECT_EQ(GcodeProgramProblem(workspace.job, 40), std::nullopt);
  EXPECT_EQ(SplitCrLf(Format(workspace, "A", 40)).size(), 44u);
}

struct RefusalCase {
  const char* name;
  void (*spoil)(Workspace&, double& diameter);
  const char* reasonPart;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
  *out << c.name;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class GcodeRefusalTest : public GcodeWriterTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(GcodeRefusalTest, RefusesAndWritesNothing) {
  Workspace workspace = ExampleWorkspace();
  double diameter = 40;
  GetParam().spoil(workspace, diameter);

  const auto problem = GcodeProgramProblem(workspace.job, diameter);
  ASSERT_TRUE(problem.has_value());
  EXPECT_THAT(*problem, HasSubstr(GetParam().reasonPart));
  EXPECT_EQ(Format(workspace, "A", diameter), "");

  // A new file is not created, an existing one keeps its bytes.
  const auto reason = Write(Path("new.ngc"), "A", diameter, workspace);
  ASSERT_TRUE(reason.has_value());
  EXPECT_EQ(*reason, *problem);
  EXPECT_FALSE(fs::exists(Path("new.ngc")));
  std::ofstream(Path("old.ngc"), std::ios::binary) << "OLD\r\n";
  EXPECT_NE(Write(Path("old.ngc"), "A", diameter, workspace), std::nullopt);
  EXPECT_EQ(ReadAll(Path("old.ngc")), "OLD\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Spoiled, GcodeRefusalTest,
    testing::Values(
        RefusalCase{"LeftXNaN", [](Workspace& w, double&) { w.job.left.path.x[2] = kNaN; },
                    "LEFT CUT point 2"},
        RefusalCase{"LeftYInf", [](Workspace& w, double&) { w.job.left.path.y[0] = kInf; },
                    "LEFT CUT point 0"},
        RefusalCase{"RightZMinusInf", [](Workspace& w, double&) { w.job.right.path.z[4] = -kInf; },
                    "RIGHT CUT point 4"},
        RefusalCase{"DiameterNaN", [](Workspace&, double& d) { d = kNaN; }, "DIAMETER"},
        RefusalCase{"DiameterInf", [](Workspace&, double& d) { d = kInf; }, "DIAMETER"},
        RefusalCase{"SegmentsNegative",
                    [](Workspace& w, double&) { w.job.parameters.cutSegments = -5; },
                    "CUT SEGMENTS -5 is outside 0..1000"},
        RefusalCase{"Segments1001",
                    [](Workspace& w, double&) { w.job.parameters.cutSegments = 1001; },
                    "CUT SEGMENTS 1001 is outside 0..1000"},
        RefusalCase{"SegmentsHuge",
                    [](Workspace& w, double&) { w.job.parameters.cutSegments = 1000000000; },
                    "outside 0..1000"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST_F(GcodeWriterTest, AnUnwritablePathIsReportedAndLeavesNothing) {
  const auto reason = Write(Path("missing/out.ngc"), "A", 40, ExampleWorkspace());
  ASSERT_TRUE(reason.has_value());
  EXPECT_THAT(*reason, HasSubstr("cannot create a file in"));
  EXPECT_THAT(*Write("/dev/full", "A", 40, ExampleWorkspace()), HasSubstr("is a device"));
  EXPECT_TRUE(fs::is_empty(folder_));
}

}  // namespace
}  // namespace korvex
