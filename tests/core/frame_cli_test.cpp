#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/job_problem_text.h"
#include "cli/run_command_line.h"
#include "domain/part.h"
#include "project/frame_file.h"
#include "project/part_file.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;
using testing::HasSubstr;

CliOutcome Cli(std::vector<std::string> arguments) {
  const std::vector<std::string_view> views(arguments.begin(), arguments.end());
  return RunCommandLine(views, "test");
}

// A header with a branch standing on it half way along.
const std::string kTee = R"(name = "tee"

[[tube]]
name = "h"
diameter = 60.3
wall = 3.2

[[tube]]
name = "b"
diameter = 42.4
wall = 3.2

[[node]]
name = "a"
at = [0, 0, 0]

[[node]]
name = "c"
at = [1000, 0, 0]

[[node]]
name = "n"
at = [500, 0, 0]

[[node]]
name = "t"
at = [500, 0, 400]

[[member]]
name = "header"
from = "a"
to = "c"
tube = "h"

[[member]]
name = "branch"
from = "n"
to = "t"
tube = "b"
)";

struct BadFrame {
  const char* name;
  const char* replace;  // in the tee; empty: nothing
  const char* with;
  const char* added;  // after it
  const char* says;   // the message holds this
};

class FrameRefused : public testing::TestWithParam<BadFrame> {};

// One clear message each, status 1, and nothing written.
TEST_P(FrameRefused, SaysWhyAndWritesNothing) {
  const BadFrame& c = GetParam();
  TempFolder folder;
  std::string text = kTee;
  if (*c.replace) text.replace(text.find(c.replace), std::string(c.replace).size(), c.with);
  text += c.added;
  const fs::path frame = folder.path() / "f.kvxf", out = folder.path() / "out";
  WriteAll(frame, text);
  const CliOutcome outcome =
      Cli({"--frame", frame.string(), "--stock", "6000", "--out-dir", out.string()});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_THAT(outcome.error, HasSubstr(c.says));
  EXPECT_EQ(std::count(outcome.error.begin(), outcome.error.end(), '\n'), 1) << outcome.error;
  EXPECT_FALSE(fs::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameRefused,
    testing::Values(
        BadFrame{"UnknownKey", "", "", "colour = \"red\"\n",
                 "f.kvxf:40: unknown key 'colour' in [[member]]"},
        BadFrame{"WrongType", "name = \"tee\"", "segments = \"ninety\"", "",
                 "f.kvxf:1: 'segments' must be a whole number"},
        BadFrame{"UnknownTube", "tube = \"b\"", "tube = \"x\"", "",
                 "f.kvxf:39: 'tube' \"x\" names no tube"},
        BadFrame{"NodeNamedTwice", "name = \"c\"", "name = \"a\"", "",
                 "f.kvxf:18: the node name \"a\" is already used on line 14"},
        BadFrame{"MissingKey", "wall = 3.2\n\n[[tube]]", "\n[[tube]]", "",
                 "f.kvxf:3: [[tube]] needs 'wall'"},
        BadFrame{"NodesTogether", "", "", "[[node]]\nname = \"z\"\nat = [0, 0.3, 0]\n",
                 "f.kvxf:41: node \"a\" and node \"z\" lie within 0.5 mm of each other"},
        BadFrame{"ZeroLength", "to = \"t\"", "to = \"n\"", "", "member \"branch\" has no length"},
        BadFrame{"Crossing", "", "",
                 "[[node]]\nname = \"p\"\nat = [500, -300, 200]\n[[node]]\nname = \"q\"\n"
                 "at = [500, 300, 200]\n[[member]]\nname = \"x\"\nfrom = \"p\"\nto = \"q\"\n"
                 "tube = \"b\"\n",
                 "member \"branch\" and member \"x\" cross at (500, 0, 200) without a node"},
        BadFrame{"UnderTenDegrees", "", "",
                 "[[node]]\nname = \"s\"\nat = [1000, 0, 50]\n[[member]]\nname = \"x\"\n"
                 "from = \"n\"\nto = \"s\"\ntube = \"b\"\n",
                 "member \"header\" and member \"x\" meet at node \"n\" at 5.7 degrees, under 10"},
        BadFrame{"OrderNotAtNode", "", "", "[[joint]]\nnode = \"a\"\norder = [\"branch\"]\n",
                 "f.kvxf:41: the order at node \"a\" lists member \"branch\", which neither"},
        BadFrame{"PassingAfterEnding", "", "",
                 "[[joint]]\nnode = \"n\"\norder = [\"branch\", \"header\"]\n",
                 "puts member \"header\", which passes through it, after member \"branch\""}),
    [](const auto& info) { return std::string(info.param.name); });

// Ends that meet nothing are cut square and said; the rest is written.
TEST(FrameCli, WritesEveryOutputAndSaysWhichEndsMeetNothing) {
  TempFolder folder;
  const fs::path frame = folder.path() / "tee.kvxf", out = folder.path() / "out";
  WriteAll(frame, kTee);
  const CliOutcome outcome =
      Cli({"--frame", frame.string(), "--stock", "6000", "--template", "--out-dir", out.string()});
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_THAT(outcome.error, HasSubstr("member \"branch\": its end at node \"t\" meets nothing"));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(out))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"branch.kvxp", "branch.ngc", "branch.pdf", "cut-list.csv",
                                      "cut-sheet.pdf", "frame-sheet.pdf", "header.kvxp",
                                      "header.ngc", "header.pdf", "members.csv", "plan.json",
                                      "stick-1.ngc", "stick-2.ngc"}));
  // The branch reaches 400 mm from the header's axis; compensated, its foot is cut where its
  // bore (radius 21.2 - 3.2) meets the header, at its sides sqrt(30.15² - 18²) = 24.195 up.
  EXPECT_EQ(ReadAll(out / "members.csv"),
            "member,part,length\r\nheader,header.kvxp,1000\r\nbranch,branch.kvxp,"
            "375.805\r\n");
}

// The same truss drawn as a sketch (lines, a 3D polyline, a post whose end misses its node by
// 0.2 mm) and written as a frame file gives the same frame file and the same outputs.
TEST(FrameCli, ASketchAndItsFrameFileGiveTheSameParts) {
  TempFolder folder;
  const fs::path sketch = folder.path() / "sketch.dxf";
  const std::string script =
      "import ezdxf,sys\n"
      "d=ezdxf.new('R2000'); d.header['$INSUNITS']=4; m=d.modelspace()\n"
      "c={'layer':'60.3x3.2'}; p={'layer':'posts'}\n"
      "m.add_line((0,0,0),(2000,0,0),dxfattribs=c)\n"
      "m.add_line((0,0,800),(2000,0,800),dxfattribs=c)\n"
      "m.add_line((0,0,0),(0,0,800),dxfattribs=p)\n"
      "m.add_line((1000,0,0),(1000,0.2,800),dxfattribs=p)\n"
      "m.add_line((2000,0,0),(2000,0,800),dxfattribs=p)\n"
      "m.add_polyline3d([(0,0,800),(1000,0.2,0.1),(2000,0,800)],dxfattribs={'layer':'42.4x3.2'})\n"
      "d.saveas(sys.argv[1])\n";
  WriteAll(folder.path() / "make.py", script);
  ASSERT_EQ(std::system(
                ("/usr/bin/python3 " + (folder.path() / "make.py").string() + " " + sketch.string())
                    .c_str()),
            0);
  std::string expected = "name = \"sketch\"\nsegments = 90\ncompensation = true\n";
  for (const char* tube :
       {"60.3x3.2\"\ndiameter = 60.3", "posts\"\ndiameter = 48.3", "42.4x3.2\"\ndiameter = 42.4"})
    expected += std::string("\n[[tube]]\nname = \"") + tube + "\nwall = 3.2\n";
  const char* nodes[] = {"0, 0, 0",      "2000, 0, 0", "0, 0, 800",
                         "2000, 0, 800", "1000, 0, 0", "1000, 0.2, 800"};
  for (int n = 0; n < 6; ++n) {
    expected += "\n[[node]]\nname = \"N" + std::to_string(n + 1) + "\"\nat = [" + nodes[n] + "]\n";
  }
  const char* members[][3] = {
      {"1", "2", "60.3x3.2"}, {"3", "4", "60.3x3.2"}, {"1", "3", "posts"},   {"5", "6", "posts"},
      {"2", "4", "posts"},    {"3", "5", "42.4x3.2"}, {"5", "4", "42.4x3.2"}};
  for (int m = 0; m < 7; ++m) {
    expected += "\n[[member]]\nname = \"M" + std::to_string(m + 1) + "\"\nfrom = \"N" +
                members[m][0] + "\"\nto = \"N" + members[m][1] + "\"\ntube = \"" + members[m][2] +
                "\"\n";
  }
  const fs::path frame = folder.path() / "sketch.kvxf", out = folder.path() / "out";
  const auto run = [&](const fs::path& input, std::vector<std::string> more) {
    std::vector<std::string> arguments{"--frame", input.string(), "--stock",
                                       "6000",    "--out-dir",    out.string()};
    arguments.insert(arguments.end(), more.begin(), more.end());
    const CliOutcome outcome = Cli(arguments);
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.error;
  };
  WriteAll(frame, expected);
  run(frame, {});
  fs::rename(out, folder.path() / "from-toml");
  run(sketch, {"--tube", "posts=48.3x3.2"});
  EXPECT_EQ(ReadAll(out / "sketch.kvxf"), expected);
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(folder.path() / "from-toml")) {
    EXPECT_EQ(ReadAll(entry.path()), ReadAll(out / entry.path().filename()))
        << entry.path().filename();
    ++compared;
  }
  // 5 parts (the middle post leans), their programs, 3 sticks' programs, 5 more outputs.
  EXPECT_EQ(compared, 18);
  // Without --out-dir the sketch is only read into its frame file, and never over one.
  fs::remove(frame);
  EXPECT_EQ(Cli({"--frame", sketch.string(), "--tube", "posts=48.3x3.2"}).exitStatus, 0);
  EXPECT_EQ(ReadAll(frame), expected);
  EXPECT_THAT(Cli({"--frame", sketch.string(), "--tube", "posts=48.3x3.2"}).error,
              HasSubstr("already exists"));
}

TEST(FrameFile, WritesBackTheSameBytes) {
  const std::string bytes = ReadAll(fs::path(KORVEX_PROJECTS_FOLDER) / "../docs/truss/truss.kvxf");
  const FrameReading reading = ReadFrameFile(bytes, "truss.kvxf");
  ASSERT_TRUE(reading.frame) << reading.refusal;
  EXPECT_EQ(reading.frame->members.size(), 7u);
  EXPECT_EQ(FormatFrameFile(*reading.frame).bytes, bytes);
}

// A part's further joining tubes are kept by its file, and checked as its other values.
TEST(PartFileJoints, KeepsThemAndRefusesWhatCannotBeCut) {
  Part part;
  part.diameter = 42.4, part.wall = 3.2, part.segments = 90, part.angleLetter = "A";
  part.left = {-300, 60.3, 12.5, 0, true, true, false, 0};
  part.left.joints = {{-301, 48.3, 38.5, 180, 0.25}, {-300, 42.4, -12, 90, 0}};
  part.right = {300, 60.3, 0, 0, true, false, false, 0};
  part.right.joints = {{300, 60.3, 0, 180, 0}};
  const FormattedPart file = FormatPartFile(part);
  ASSERT_FALSE(file.refusal);
  EXPECT_THAT(file.bytes, HasSubstr("\n[[left.joint]]\ndistance = -301\ndiameter = 48.3\n"));
  const PartReading back = ReadPartFile(file.bytes, "p.kvxp", Part{}, PartHole{});
  ASSERT_TRUE(back.part) << back.refusal;
  EXPECT_EQ(*back.part, part);
  std::string zero = file.bytes;
  zero.replace(zero.find("diameter = 48.3"), 15, "diameter = 0");
  EXPECT_THAT(ReadPartFile(zero, "p.kvxp", Part{}, PartHole{}).refusal,
              HasSubstr("'diameter' in [[left.joint]] must be greater than 0"));
}

struct UnmetCase {
  const char* name;
  double diameterB, turnB;  // the second tube's
  const char* says;         // empty: cut
};

class SeveralTubes : public testing::TestWithParam<UnmetCase> {};

// Two 30 mm tubes on a 40 mm tube, axes through its axis: each meets the surface line at θ
// where |20·sin(θ + turn)| ≤ 15, so round θ = 90 and 270 degrees (from asin 0.75 = 48.59 to
// 131.41) neither meets it unless the second is turned a quarter round.
TEST_P(SeveralTubes, EveryAngleMustMeetOne) {
  Part part;
  part.diameter = 40, part.wall = 3, part.segments = 90, part.angleLetter = "A";
  part.left = {-200, 30, 0, 0, true, false, false, 0};
  part.left.joints = {{-200, GetParam().diameterB, 0, GetParam().turnB, 0}};
  part.right = {200, 0, 0, 0, false, false, false, 0};
  const JobOutcome outcome = ComputePart(part, 0);
  if (*GetParam().says == '\0') {
    EXPECT_TRUE(outcome.job);
    return;
  }
  ASSERT_EQ(outcome.problems.size(), 1u);
  EXPECT_EQ(JobProblemText(outcome.problems[0]), GetParam().says);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, SeveralTubes,
    testing::Values(UnmetCase{"SameWay", 30, 0,
                              "LEFT CUT meets none of its joining tubes from 48.6 to 131.4 "
                              "degrees round the tube: no cut can be placed there"},
                    UnmetCase{"QuarterTurned", 30, 90, ""},
                    UnmetCase{"NoDiameter", 0, 90,
                              "LEFT CUT joint 1 DIAMETER must be a number greater than 0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
