#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/run_command_line.h"
#include "config_home.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;
using testing::HasSubstr;
using testing::StartsWith;

const std::string kDefaultProject = KORVEX_PROJECTS_FOLDER "/default.kvx";

// The converter with the user's configuration folder in a folder of the test's own.
class MachineCliTest : public testing::Test {
 protected:
  fs::path machines() const { return configHome_.machines(); }
  CliOutcome Run(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    return RunCommandLine(views, "test");
  }

  test::TempFolder folder_{"korvex-machine-cli"};
  test::ConfigHome configHome_{folder_};
};

TEST_F(MachineCliTest, DescribedIsTheDefaultAndTodaysProgram) {
  // The program the converter wrote for this project before machine profiles existed, with the
  // project named as here.
  const std::string today = ReadAll(std::string(KORVEX_TEST_DATA_DIR) + "/programs/default.ngc");
  const fs::path project = folder_ / "default.kvx";
  fs::copy_file(kDefaultProject, project);
  fs::current_path(folder_.path());
  EXPECT_EQ(Run({"default.kvx", "plain.ngc"}).exitStatus, 0);
  EXPECT_EQ(Run({"--machine", "described", "default.kvx", "described.ngc"}).exitStatus, 0);
  EXPECT_EQ(ReadAll(folder_ / "plain.ngc"), today);
  EXPECT_EQ(ReadAll(folder_ / "described.ngc"), today);
}

struct NamedMachineCase {
  const char* machine;
  const char* marker;   // a line only this profile writes
  const char* cutTime;  // the converter's last line; none for the described program
};

void PrintTo(const NamedMachineCase& c, std::ostream* out) {
  *out << c.machine;
}

class NamedMachineTest : public MachineCliTest,
                         public testing::WithParamInterface<NamedMachineCase> {};

TEST_P(NamedMachineTest, WritesThatProfilesProgram) {
  const NamedMachineCase& c = GetParam();
  const std::string output = folder_.file("out.ngc");
  // The rotary profile turns the tube on A, so the tilt goes to B.
  const CliOutcome outcome =
      Run({"--machine", c.machine, "--axis-letter", "B", kDefaultProject, output});
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "X LENGTH 240.000\nY LENGTH 125.664\n" + std::string(c.cutTime));
  const std::string program = ReadAll(output);
  EXPECT_THAT(program, StartsWith("(Version       4            )\r\n"));
  EXPECT_THAT(program, HasSubstr(c.marker));
}

// The default job's cut time by hand: each end is the 45 degree cut of a 40 mm tube, unrolled
// x = -100 -+ 20 cos t, y = 20 (pi - t): 20 x 7.640396 = 152.8079 mm (an elliptic integral), both
// 18.3369 s at 1000 mm/min. The left end runs up round the tube, the right end back down from
// where it ended: the rapids from X 0 Y 0 to (-120, -20 pi), from (-120, 20 pi) to (80, 20 pi)
// and home from (80, -20 pi): 135.454 + 200 + 101.724 = 437.178 mm, 13.1154 s at 2000 mm/min.
// 31.45 s, with two 2 s pierce delays 35.45 s.
INSTANTIATE_TEST_SUITE_P(
    BuiltIns, NamedMachineTest,
    testing::Values(NamedMachineCase{"described", "\r\nG4 P2.0\r\n", ""},
                    NamedMachineCase{"rotary-degrees", "\r\nG93 (inverse time feed)\r\n",
                                     "CUT TIME 0:35\n"},
                    NamedMachineCase{"plasma", "\r\nM3 $0 S1\r\n", "CUT TIME 0:31\n"}),
    [](const auto& info) {
      std::string name = info.param.machine;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

TEST_F(MachineCliTest, MachineFromAFileAndFromTheConfigurationFolder) {
  const std::string text =
      "title = shop rotary\naxes = degrees\nrotation-letter = B\npierce-delay = 0\n";
  WriteAll(folder_ / "shop.machine", text);
  WriteAll(machines() / "mill.machine", text);
  for (const std::string& machine : {folder_.file("shop.machine"), std::string("mill")}) {
    const std::string output = folder_.file("out.ngc");
    const CliOutcome outcome =
        Run({"--machine", machine, "--axis-letter", "C", kDefaultProject, output});
    ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
    const std::string program = ReadAll(output);
    EXPECT_THAT(program, HasSubstr("\r\n(Machine shop rotary)\r\n"));
    EXPECT_THAT(program, HasSubstr("\r\nG0 X -120.000 B -180.000\r\n"));
  }
}

TEST_F(MachineCliTest, ListsBuiltInsThenTheUsersProfiles) {
  WriteAll(machines() / "mill.machine", "title = tube mill\n");
  WriteAll(machines() / "notes.txt", "not a profile\n");
  const CliOutcome outcome = Run({"--list-machines"});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_EQ(outcome.output,
            "described       described (built in)\n"
            "rotary-degrees  rotary A in degrees (built in)\n"
            "plasma          plasma controller (built in)\n"
            "mill            tube mill (" +
                (machines() / "mill.machine").string() + ")\n");
}

TEST_F(MachineCliTest, ListingReportsABadProfile) {
  WriteAll(machines() / "bad.machine", "title = x\nfeed = -1\n");
  const CliOutcome outcome = Run({"--list-machines"});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_THAT(outcome.output, HasSubstr("plasma controller"));
  EXPECT_EQ(outcome.error,
            "korvex-cli: machine profile not used: " + (machines() / "bad.machine").string() +
                ":2: feed -1 must be from 1 to 100000 mm/min or material\n");
}

TEST_F(MachineCliTest, ShowsABuiltInsTextThatReadsBackAsIt) {
  const CliOutcome outcome = Run({"--show-machine", "rotary-degrees"});
  ASSERT_EQ(outcome.exitStatus, 0);
  WriteAll(machines() / "copy.machine", outcome.output);
  const std::string output = folder_.file("copy.ngc");
  ASSERT_EQ(Run({"--machine", "copy", "--axis-letter", "B", kDefaultProject, output}).exitStatus,
            0);
  ASSERT_EQ(Run({"--machine", "rotary-degrees", "--axis-letter", "B", kDefaultProject,
                 folder_.file("b.ngc")})
                .exitStatus,
            0);
  EXPECT_EQ(ReadAll(output), ReadAll(folder_ / "b.ngc"));
  EXPECT_EQ(Run({"--show-machine", "nothing"}).exitStatus, 1);
}

struct BadMachineCase {
  const char* name;
  const char* text;
  const char* where;  // ":LINE: what"
};

class BadMachineTest : public MachineCliTest, public testing::WithParamInterface<BadMachineCase> {};

TEST_P(BadMachineTest, IsReportedAndNothingIsWritten) {
  const std::string profile = folder_.file("bad.machine");
  WriteAll(profile, GetParam().text);
  const std::string output = folder_.file("out.ngc");
  const CliOutcome outcome = Run({"--machine", profile, kDefaultProject, output});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(outcome.error,
            "korvex-cli: machine profile not used: " + profile + GetParam().where + "\n");
  EXPECT_FALSE(fs::exists(output));
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, BadMachineTest,
    testing::Values(
        BadMachineCase{"unknown_key", "title = a\nspindle = 1\n", ":2: unknown key \"spindle\""},
        BadMachineCase{"colliding_letter", "axes = degrees\nrotation-letter = x\n",
                       ":2: rotation-letter \"x\" collides with X, the axis along the tube"},
        BadMachineCase{"negative_feed", "feed = -1000\n",
                       ":1: feed -1000 must be from 1 to 100000 mm/min or material"},
        BadMachineCase{"negative_delay", "\n\npierce-delay = -2\n",
                       ":3: pierce-delay -2 must be from 0 to 100 seconds"},
        BadMachineCase{"bad_number", "rapid-feed = 2,000\n",
                       ":1: rapid-feed \"2,000\" is not a number"},
        BadMachineCase{"missing_value", "# plasma\ntorch-off =\n", ":2: torch-off has no value"}),
    [](const auto& info) { return std::string(info.param.name); });

// A hole too small for the profile's leads: they are shortened to fit, and the converter and
// the cut list say so on standard error, once for that hole, and write everything. Hole 1's bore
// is 4 mm, hole 2's 16 mm.
TEST_F(MachineCliTest, ShortenedLeadsAreNotedOncePerHole) {
  const std::string profile = folder_.file("leads.machine");
  WriteAll(profile, "kerf = 1.5\nlead-in = 3\nlead-out = 3\n");
  WriteAll(folder_ / "holed.kvxp",
           "[tube]\ndiameter = 60\nwall = 3\n\n[[hole]]\nbranch-diameter = 6\n"
           "branch-wall = 1\n\n[[hole]]\nat = 40\nbranch-diameter = 20\nbranch-wall = 2\n");
  const CliOutcome single =
      Run({"--machine", profile, folder_.file("holed.kvxp"), folder_.file("holed.ngc")});
  EXPECT_EQ(single.exitStatus, 0);
  EXPECT_THAT(single.error,
              testing::MatchesRegex("korvex-cli: note: hole 1: shortened the lead-in from 3.000 "
                                    "to [0-9.]+ mm and the lead-out from 3.000 to [0-9.]+ mm, so "
                                    "that the leads and the kerf of 1.500 mm stay inside the "
                                    "hole\n"));
  EXPECT_TRUE(fs::exists(folder_ / "holed.ngc"));

  const std::string list = folder_.file("list.csv");
  WriteAll(list, "file,quantity\nholed.kvxp,2\n");
  const CliOutcome planned = Run({"--cut-list", list, "--stock", "1000", "--machine", profile,
                                  "--out-dir", folder_.file("out")});
  EXPECT_EQ(planned.exitStatus, 0);
  EXPECT_THAT(planned.error, StartsWith("korvex-cli: note: " + list + ":2: holed.kvxp: hole 1: "));
  EXPECT_EQ(std::count(planned.error.begin(), planned.error.end(), '\n'), 1) << planned.error;
}

struct RefusalCase {
  const char* name;
  std::string arguments;     // split at blanks; a conversion gets OUTPUT added
  const char* machinesFile;  // written into the machines folder, or over it for ""
  int status;
  std::string error;  // in the one line of standard error
};

class MachineRefusalTest : public MachineCliTest,
                           public testing::WithParamInterface<RefusalCase> {};

TEST_P(MachineRefusalTest, SaysWhyInOneLine) {
  const RefusalCase& c = GetParam();
  if (c.machinesFile && !*c.machinesFile) fs::remove(machines());
  if (c.machinesFile)
    WriteAll(*c.machinesFile ? machines() / c.machinesFile : machines(), "pierce-delay = 0\n");
  std::vector<std::string> arguments;
  for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 1)
    arguments.push_back(c.arguments.substr(at, (end = c.arguments.find(' ', at)) - at));
  const std::string output = folder_.file("out.ngc");
  if (arguments[0] == "--machine") arguments.push_back(output);
  const CliOutcome outcome = Run(arguments);
  EXPECT_EQ(outcome.exitStatus, c.status);
  EXPECT_THAT(outcome.error, HasSubstr(c.error));
  EXPECT_EQ(std::count(outcome.error.begin(), outcome.error.end(), '\n'), 1) << outcome.error;
  // A described.machine is not used: the built-in's pierce delay is written.
  EXPECT_EQ(ReadAll(output).find("\r\nG4 P2.0\r\n") != std::string::npos, c.status == 0);
}

const std::string kTilting = " " KORVEX_PROJECTS_FOLDER "/bevel-3d.kvx";  // an end in 3D MODE

INSTANTIATE_TEST_SUITE_P(
    CommandLines, MachineRefusalTest,
    testing::Values(
        RefusalCase{"unknown", "--machine lathe " + kDefaultProject, nullptr, 1,
                    "no machine profile is named \"lathe\""},
        RefusalCase{"name_too_long", "--machine " + std::string(300, 'm') + " " + kDefaultProject,
                    nullptr, 1, "cannot be searched for it: File name too long"},
        RefusalCase{"folder_unreadable", "--list-machines", "", 1,
                    ": the machines folder cannot be read: Not a directory"},
        RefusalCase{"axis_letter_beside_the_machines_tilt",
                    "--machine rotary-degrees --axis-letter a" + kTilting, nullptr, 2,
                    "--axis-letter \"a\": the machine rotary A in degrees tilts the torch on B"},
        RefusalCase{"no_tilt_axis", "--machine plasma --axis-letter Z" + kTilting, nullptr, 1,
                    "3D MODE tilts the torch, and the machine plasma controller has no tilt axis"},
        RefusalCase{"named_like_a_built_in", "--machine described " + kDefaultProject,
                    "described.machine", 0,
                    "described.machine: a built-in profile is named \"described\"; give the copy "
                    "a name of its own (kept for the built-in ones: described, rotary-degrees, "
                    "plasma); it is not used"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
