#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "gcode/machine_profile.h"
#include "gcode/machine_program.h"
#include "gcode/profile_parser.h"
#include "temp_folder.h"

namespace korvex {
namespace {

using test::ReadAll;
using testing::HasSubstr;

MachineProfile BuiltIn(const char* name) {
  const auto profile = FindBuiltInProfile(name);
  EXPECT_TRUE(profile) << name;
  return profile.value_or(MachineProfile{});
}

// A job computed from a project file as OPEN and UPDATE PARAMS compute it.
Workspace ProjectWorkspace(const std::string& path, const std::string& shownPath,
                           const char* axisLetter) {
  MemoryPanel panel;
  if (axisLetter) panel.setText(kAngleLetterField, axisLetter);
  Workspace workspace;
  EXPECT_EQ(LoadProject(path, panel, workspace.part), std::nullopt) << path;
  EXPECT_TRUE(RebuildScene(panel, workspace).empty()) << path;
  workspace.projectPath = shownPath;
  workspace.cutObjectCount = 2;
  return workspace;
}

struct GoldenCase {
  const char* name;
  std::string project;
  const char* axisLetter;  // nullptr: the panel's default
  const char* golden;      // written by the converter before profiles existed
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
  *out << c.name;
}

class DescribedProfileTest : public testing::TestWithParam<GoldenCase> {};

TEST_P(DescribedProfileTest, WritesTodaysProgramByteForByte) {
  const GoldenCase& c = GetParam();
  const Workspace workspace =
      ProjectWorkspace(c.project, std::filesystem::path(c.project).filename(), c.axisLetter);
  const std::string program =
      FormatMachineProgram(workspace.job, ProgramHeaderFor(workspace), BuiltIn("described"));
  EXPECT_EQ(program, ReadAll(std::string(KORVEX_TEST_DATA_DIR "/programs/") + c.golden));
}

const std::string kSamples = KORVEX_PROJECTS_FOLDER "/";
const std::string kJobs = KORVEX_TEST_DATA_DIR "/programs/";

INSTANTIATE_TEST_SUITE_P(
    Jobs, DescribedProfileTest,
    testing::Values(
        GoldenCase{"default", kSamples + "default.kvx", nullptr, "default.ngc"},
        GoldenCase{"tube_joint", kSamples + "tube-joint.kvx", nullptr, "tube-joint.ngc"},
        GoldenCase{"bevel_3d", kSamples + "bevel-3d.kvx", nullptr, "bevel-3d.ngc"},
        GoldenCase{"bevel_3d_on_c", kSamples + "bevel-3d.kvx", "C", "bevel-3d-c.ngc"},
        GoldenCase{"thousand_segments", kJobs + "thousand.kvx", nullptr, "thousand.ngc"},
        GoldenCase{"seven_segments", kJobs + "small.kvx", nullptr, "small.ngc"},
        GoldenCase{"letter_with_blanks", kJobs + "small.kvx", " b ", "small-b.ngc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuiltInProfiles, AreTheThreeOfTheIssueInOrder) {
  const auto& builtIns = BuiltInProfiles();
  ASSERT_EQ(builtIns.size(), 3u);
  const MachineProfile& described = builtIns[0].profile;
  EXPECT_EQ(described.name, "described");
  EXPECT_TRUE(WritesDescribedProgram(described));

  const MachineProfile& rotary = builtIns[1].profile;
  EXPECT_EQ(rotary.name, "rotary-degrees");
  EXPECT_EQ(rotary.title, "rotary A in degrees");
  EXPECT_EQ(rotary.axes, AxisForm::Degrees);
  EXPECT_EQ(rotary.rotationLetter, 'A');
  EXPECT_FALSE(WritesDescribedProgram(rotary));

  const MachineProfile& plasma = builtIns[2].profile;
  EXPECT_EQ(plasma.name, "plasma");
  EXPECT_EQ(plasma.torchOn, "M3 $0 S1");
  EXPECT_EQ(plasma.torchOff, "M5 $0");
  EXPECT_EQ(plasma.pierceDelay, 0);
}

TEST(ProfileParser, ReadsEveryKeyAroundBlanksAndComments) {
  const auto parse = ParseMachineProfile(
      "# my machine\r\n"
      "\r\n"
      "  title =  Tube mill 2  \r\n"
      "axes=degrees\r\n"
      "rotation-letter = c\r\n"
      "feed = 1500.5\r\n"
      "rapid-feed = 3000\r\n"
      "pierce-delay = 0.75\r\n"
      "torch-on = M3 $0 S1 (fire)\r\n"
      "torch-off = M5 $0\r\n"
      "tool-table = G10 L1 P1 R0.8\r\ntool-change = T1 M6\r\ntilt-axis = b\r\n"
      "good-side = left\nkerf = 1.5\nlead-in = 3\nlead-out = 2\nlead-shape = line\n"
      "overcut = 1\nstart-angle = -90\ntolerance = 0.02\n",
      "mill", "mill.machine");
  ASSERT_TRUE(std::holds_alternative<MachineProfile>(parse));
  const MachineProfile& p = std::get<MachineProfile>(parse);
  EXPECT_EQ(p.name, "mill");
  EXPECT_EQ(p.title, "Tube mill 2");
  EXPECT_EQ(p.axes, AxisForm::Degrees);
  EXPECT_EQ(p.rotationLetter, 'C');
  EXPECT_EQ(p.cuttingFeed, 1500.5);
  EXPECT_EQ(p.rapidFeed, 3000);
  EXPECT_EQ(p.pierceDelay, 0.75);
  EXPECT_EQ(p.torchOn, "M3 $0 S1 (fire)");
  EXPECT_EQ(p.torchOff, "M5 $0");
  EXPECT_EQ(std::tie(p.toolTable, p.toolChange, p.tiltAxis, p.tiltLetter),
            std::tuple("G10 L1 P1 R0.8", "T1 M6", TiltAxis::Own, 'B'));
  EXPECT_EQ(p.toolpath,
            (ToolpathOptions{1.5, GoodSide::Left, 3, 2, LeadShape::Line, 1, -90, 0.02}));
}

// A profile is given tool lines and a tilt axis only when it asks for them; every other value
// it leaves out is the described program's.
TEST(ProfileParser, AnEmptyProfileHasNoToolLinesNorTiltAxis) {
  const auto parse = ParseMachineProfile("# nothing differs\n", "old", "old.machine");
  ASSERT_TRUE(std::holds_alternative<MachineProfile>(parse));
  MachineProfile expected;
  expected.name = expected.title = "old";
  expected.toolTable = expected.toolChange = "";
  expected.tiltAxis = TiltAxis::None;
  const MachineProfile& p = std::get<MachineProfile>(parse);
  EXPECT_EQ(std::tie(p.title, p.toolTable, p.toolChange, p.tiltAxis, p.cuttingFeed, p.torchOn),
            std::tie(expected.title, expected.toolTable, expected.toolChange, expected.tiltAxis,
                     expected.cuttingFeed, expected.torchOn));
  EXPECT_FALSE(WritesDescribedProgram(p));
}

struct BadProfileCase {
  const char* name;
  std::string text;
  std::string message;  // after "FILE:"
};

void PrintTo(const BadProfileCase& c, std::ostream* out) {
  *out << c.name;
}

class BadProfileTest : public testing::TestWithParam<BadProfileCase> {};

TEST_P(BadProfileTest, IsReportedWithFileAndLine) {
  const auto parse = ParseMachineProfile(GetParam().text, "shop", "/cfg/shop.machine");
  ASSERT_TRUE(std::holds_alternative<std::vector<ProfileError>>(parse));
  const auto& errors = std::get<std::vector<ProfileError>>(parse);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message(), "/cfg/shop.machine:" + GetParam().message);
}

const std::string kLong(400, 'M');
const std::string kFeedRange = " must be from 1 to 100000 mm/min or material";
const std::string kTitleRule =
    "may hold at most 100 characters and no control characters or any of ()|";

INSTANTIATE_TEST_SUITE_P(
    Mistakes, BadProfileTest,
    testing::Values(
        BadProfileCase{"unknown_key", "title = a\nspeed = 10\n", "2: unknown key \"speed\""},
        // A byte order mark is skipped; CR, LF and CR LF end lines.
        BadProfileCase{"after_bom_and_every_line_end",
                       "\xEF\xBB\xBFtitle = a\rfeed = 9\r\nbefore-cut = M65 P2 (THC)\rspeed = 1",
                       "4: unknown key \"speed\""},
        BadProfileCase{"rotation_on_x", "axes = degrees\n\nrotation-letter = X",
                       "3: rotation-letter \"X\" collides with X, the axis along the tube"},
        BadProfileCase{"rotation_on_linear_axis", "rotation-letter = Y\n",
                       "1: rotation-letter \"Y\" must be one of the angular axes A, B, C"},
        BadProfileCase{"tilt_on_a_linear_axis", "tilt-axis = Z\n",
                       "1: tilt-axis \"Z\" must be one of the angular axes A, B, C, angle-letter "
                       "or none"},
        BadProfileCase{"tilt_on_the_rotation", "tilt-axis = a\naxes = degrees\n",
                       "1: tilt-axis \"A\" is the rotation letter; the tilt needs an axis of its "
                       "own"},
        BadProfileCase{"negative_feed", "# x\nfeed = -5\n", "2: feed -5" + kFeedRange},
        BadProfileCase{"feed_writing_inf", "feed = 1e308\n", "1: feed 1e308" + kFeedRange},
        BadProfileCase{"feed_writing_f0", "\n\rfeed = 0.00001\n", "3: feed 0.00001" + kFeedRange},
        BadProfileCase{"zero_rapid_feed", "rapid-feed = 0\n",
                       "1: rapid-feed 0 must be from 1 to 100000 mm/min"},
        BadProfileCase{"bad_number", "feed = 12O0\n", "1: feed \"12O0\" is not a number"},
        BadProfileCase{"wide_kerf", "kerf = 21\n", "1: kerf 21 must be from 0 to 20 mm"},
        BadProfileCase{"negative_lead", "lead-out = -1\n",
                       "1: lead-out -1 must be from 0 to 50 mm"},
        BadProfileCase{"start_beyond_a_turn", "start-angle = 361\n",
                       "1: start-angle 361 must be from -360 to 360 degrees"},
        BadProfileCase{"tolerance_too_fine", "tolerance = 0.0001\n",
                       "1: tolerance 0.0001 must be 0 or from 0.001 to 10 mm"},
        BadProfileCase{"bad_good_side", "good-side = up\n",
                       "1: good-side \"up\" must be right or left"},
        BadProfileCase{"bad_lead_shape", "lead-shape = curve\n",
                       "1: lead-shape \"curve\" must be line or arc"},
        BadProfileCase{"infinite_number", "feed = inf\n", "1: feed \"inf\" is not a number"},
        BadProfileCase{"missing_value", "torch-on =   \n", "1: torch-on has no value"},
        BadProfileCase{"no_equals", "\n\nfeed 1000\n", "3: \"feed 1000\" is not key = value"},
        BadProfileCase{"repeated_key", "feed = 1\nfeed = 2\n",
                       "2: feed is given again (first on line 1)"},
        BadProfileCase{"bad_axes", "axes = inch\n", "1: axes \"inch\" must be mm or degrees"},
        BadProfileCase{"title_with_brackets", "title = big (new)\n",
                       "1: title \"big (new)\" " + kTitleRule},
        BadProfileCase{"control_bytes_shown_escaped", "title = a\x1b[2Jb\n",
                       "1: title \"a\\x1B[2Jb\" " + kTitleRule},
        BadProfileCase{
            "long_torch_on", "torch-on = " + kLong,
            "1: torch-on \"" + kLong.substr(0, 60) + "\"... is longer than 200 characters"},
        BadProfileCase{"non_ascii_torch_on", "torch-on = M3 \xC3\xA9\n",
                       "1: torch-on \"M3 \\xC3\\xA9\" may hold only printable ASCII characters"},
        BadProfileCase{"line_break_in_torch_off", "torch-off = M5\vM2\n",
                       "1: torch-off \"M5\\x0BM2\" may hold only printable ASCII characters"},
        BadProfileCase{"unclosed_comment", "before-cut = M65 P2 (THC off\n",
                       "1: before-cut \"M65 P2 (THC off\" leaves a comment open"},
        BadProfileCase{"nested_comment", "after-cut = M64 (a (b) c)\n",
                       "1: after-cut \"M64 (a (b) c)\" may not open a comment inside a comment"},
        BadProfileCase{"program_delimiter", "torch-off = %\n",
                       "1: torch-off \"%\" may not begin with %"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileParser, ReportsEveryLineWithAMistake) {
  const auto parse = ParseMachineProfile("feed = x\nok = 1\nfeed = 3\n", "m", "m.machine");
  ASSERT_TRUE(std::holds_alternative<std::vector<ProfileError>>(parse));
  std::vector<int> lines;
  for (const ProfileError& error : std::get<std::vector<ProfileError>>(parse))
    lines.push_back(error.line);
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 3}));
}

// The example job of the program writer's tests, by hand: 4 segments on a tube of 40 mm, so
// point i is y = 20 pi (1 - i/2) and turns the tube 180 (1 - i/2) degrees.
TEST(RotaryProgram, HandCalculatedExample) {
  Workspace workspace;
  workspace.projectPath = "T1.kvx";
  workspace.cutObjectCount = 2;
  JobParameters& job = workspace.job.parameters;
  job.cutSegments = 4;
  job.mainDiameter = 40;
  job.axisLetter = "B";
  job.right.mode3d = 1;
  const double x[] = {-120.5, -110.25, -100, -110.25, -120.5};
  for (int i = 0; i <= 4; ++i) {
    workspace.job.left.path.x[i] = x[i];
    workspace.job.left.path.y[i] = 20 * 3.14159265358979 * (1 - i / 2.0);
    workspace.job.right.path.x[i] = -x[i];
    workspace.job.right.path.y[i] = workspace.job.left.path.y[i];
    workspace.job.right.path.z[i] = 0.5;
  }
  const std::string program =
      FormatMachineProgram(workspace.job, ProgramHeaderFor(workspace), BuiltIn("rotary-degrees"));
  // Every step: dx 10.25, dy 10 pi = 31.41593; surface length 33.04577; F = 1000 / 33.04577. The
  // left end runs up round the tube (its part, toward +X, right of travel); the right end starts
  // where it ended.
  EXPECT_THAT(program, HasSubstr("(Machine rotary A in degrees)\r\nG21 (Unit IN mm)\r\n"));
  EXPECT_THAT(program, HasSubstr("G49 (CANCEL length comp.) \r\nF2000\r\nG0 B 0.000\r\n"
                                 "G93 (inverse time feed)\r\n"
                                 "(Object)\r\n(001)\r\n(005)\r\n"
                                 "G0 X -120.500 A -180.000 B 0.000\r\n"
                                 "S5000M03 (Spindle 5000rpm cw)\r\n"
                                 "G4 P2.0\r\n"
                                 "G1 X -110.250 A -90.000 B 0.000 F30.2611\r\n"
                                 "G1 X -100.000 A 0.000 B 0.000 F30.2611\r\n"
                                 "G1 X -110.250 A 90.000 B 0.000 F30.2611\r\n"
                                 "G1 X -120.500 A 180.000 B 0.000 F30.2611\r\n"
                                 "M5\r\n"));
  EXPECT_THAT(program, HasSubstr("G1 X 120.500 A -180.000 B 0.500 F30.2611\r\nM5\r\n"
                                 "G94 (units per minute feed)\r\n"
                                 "G0 X 0.000 A 0.000 B 0.000\r\n"
                                 "M2 (Program end)\r\n(Finish)\r\n"));
}

// A profile differs from the described program in its keys' lines and names its machine.
TEST(ProfileProgram, DiffersFromTheDescribedOnlyWhereItsKeysSay) {
  const Workspace workspace = ProjectWorkspace(kSamples + "default.kvx", "default.kvx", nullptr);
  // The described program of the job with the left end run from its last point back: a profile
  // runs each end with its part right of travel.
  Workspace reversed = workspace;
  for (auto* values : {&reversed.job.left.path.x, &reversed.job.left.path.y})
    std::reverse(values->begin(), values->begin() + 91);
  std::string expected =
      FormatMachineProgram(reversed.job, ProgramHeaderFor(reversed), BuiltIn("described"));
  const std::pair<std::string_view, std::string_view> changes[] = {
      {"(Objects)\r\n(002)\r\n", "(Objects)\r\n(002)\r\n(Machine shop)\r\n"},
      {"S5000M03 (Spindle 5000rpm cw)\r\nG4 P2.0\r\n",
       "M65 P2\r\nS5000M03 (Spindle 5000rpm cw)\r\nG4 P0.75\r\n"},
      {" A 0.000\r\n", "\r\n"},  // no tilt axis
      {" Z 0.000\r\n", "\r\n"},
      {"G10 L1 P2 R0.75\r\nT1M6 (Tool change TO T1) \r\n", ""},  // no tool lines
  };
  for (const auto& [from, to] : changes)
    for (std::size_t at = 0; (at = expected.find(from, at)) != std::string::npos; at += to.size())
      expected.replace(at, from.size(), to);
  const auto parse = ParseMachineProfile("pierce-delay = 0.75\nbefore-cut = M65 P2\n", "shop", "s");
  ASSERT_TRUE(std::holds_alternative<MachineProfile>(parse));
  const std::string program = FormatMachineProgram(workspace.job, ProgramHeaderFor(workspace),
                                                   std::get<MachineProfile>(parse));
  EXPECT_EQ(program, expected);
}

TEST(PlasmaProgram, FiresOnSpindleZeroWithoutDwell) {
  const Workspace workspace = ProjectWorkspace(kSamples + "default.kvx", "default.kvx", nullptr);
  const std::string program =
      FormatMachineProgram(workspace.job, ProgramHeaderFor(workspace), BuiltIn("plasma"));
  EXPECT_THAT(program, HasSubstr("G0 X -120.000 Y -62.832\r\nF1000\r\nM3 $0 S1\r\n"
                                 "G1 X -119.951 Y -61.436\r\n"));
  EXPECT_THAT(program, testing::Not(HasSubstr("\r\nG4 ")));
  EXPECT_THAT(program, HasSubstr("\r\nM5 $0\r\n(Object)\r\n(002)\r\n(091)\r\n"));
}

}  // namespace
}  // namespace korvex
