#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/run_command_line.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;
using testing::HasSubstr;

// A 60.3 x 3.9 header 300 mm long, cut square, with holes for set-on 42.4 x 3.6 branches (bore
// radius 17.6) square to it at the given places along it and turns round it.
std::string Header(const std::vector<std::pair<double, double>>& holes) {
  std::string text =
      "[tube]\ndiameter = 60.3\nwall = 3.9\nsegments = 180\n"
      "[left]\ndistance = -150\nangle = 0\n[right]\ndistance = 150\nangle = 0\n";
  for (const auto& [at, turn] : holes) {
    text += "[[hole]]\nat = " + std::to_string(at) + "\nturn = " + std::to_string(turn) +
            "\nbranch-diameter = 42.4\nbranch-wall = 3.6\n";
  }
  return text;
}

struct HoleCase {
  const char* name;
  std::vector<std::pair<double, double>> holes;
  const char* profile;  // nullptr: the described program
  const char* refusal;  // nullptr: written
};

class HolesOfThePart : public testing::TestWithParam<HoleCase> {};

// Each refusal worked out by hand from the bore's radius, the ends' places and the kerf.
TEST_P(HolesOfThePart, BelongToThePartAsCut) {
  const HoleCase& c = GetParam();
  test::TempFolder folder;
  WriteAll(folder.path() / "header.kvxp", Header(c.holes));
  std::vector<std::string> words{folder.file("header.kvxp"), folder.file("header.ngc")};
  if (c.profile) {
    WriteAll(folder.path() / "m.machine", c.profile);
    words.insert(words.begin(), {"--machine", folder.file("m.machine")});
  }
  const std::vector<std::string_view> arguments(words.begin(), words.end());
  const CliOutcome outcome = RunCommandLine(arguments, "9.9");
  if (!c.refusal) {
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.error;
    return;
  }
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_THAT(outcome.error, HasSubstr(c.refusal));
  EXPECT_FALSE(fs::exists(folder.path() / "header.ngc"));
}

INSTANTIATE_TEST_SUITE_P(
    Holes, HolesOfThePart,
    testing::Values(
        HoleCase{"apart", {{-60, 0}, {60, 0}}, nullptr, nullptr},
        // The bore reaches from 982.4 to 1017.6, the part ends at 150.
        HoleCase{"beyond_the_end",
                 {{1000, 0}},
                 nullptr,
                 "program not written: hole 1 lies 832.4 mm beyond the right end"},
        // From 122.4 to 157.6 over the end at 150.
        HoleCase{"over_an_end", {{140, 90}}, nullptr, "hole 1 crosses the right end's cut"},
        HoleCase{"over_each_other", {{0, 0}, {20, 30}}, nullptr, "hole 2 crosses hole 1's cut"},
        // Turned half a turn apart the bores never meet.
        HoleCase{"round_the_tube", {{0, 0}, {0, 180}}, nullptr, nullptr},
        // Its edge 0.5 mm past the end: each torch runs half the kerf on its own side, 1 mm
        // apart, and their kerfs of 1.5 overlap.
        HoleCase{"kerfs_overlap",
                 {{132.9, 0}},
                 "kerf = 1.5\n",
                 "hole 1: its cut comes within 1 mm of the right end's cut, closer than the kerf "
                 "1.5 mm"},
        // 1 mm inside the end, the torches are 2.5 mm apart.
        HoleCase{"kerfs_clear", {{131.4, 0}}, "kerf = 1.5\n", nullptr}),
    [](const testing::TestParamInfo<HoleCase>& info) { return info.param.name; });

// An end fitted inside a 60.3 x 3.9 tube is the end fitted onto its bore, 52.5: the same
// program but for the project it names.
TEST(InsideFit, CutsTheEndToTheJoiningTubesBore) {
  test::TempFolder folder;
  const std::string tube =
      "[tube]\ndiameter = 42.4\nwall = 3.6\n[left]\ndistance = -100\nangle = 0\n[right]\n"
      "distance = 100\nangle = 30\noval = true\n";
  WriteAll(folder.path() / "inside.kvxp", tube + "diameter = 60.3\nfit = \"inside\"\n"
                                                 "joining-wall = 3.9\n");
  WriteAll(folder.path() / "bore.kvxp", tube + "diameter = 52.5\n");
  WriteAll(folder.path() / "forgot.kvxp", tube + "diameter = 60.3\nfit = \"inside\"\n");
  std::string programs[2];
  for (int k = 0; k < 2; ++k) {
    const std::string name = k == 0 ? "inside" : "bore";
    const std::string project = folder.file(name + ".kvxp"), program = folder.file(name + ".ngc");
    const std::vector<std::string_view> arguments{project, program};
    ASSERT_EQ(RunCommandLine(arguments, "9.9").exitStatus, 0);
    programs[k] = ReadAll(folder.path() / (name + ".ngc"));
    programs[k].erase(0, programs[k].find("\r\n(Objects)"));
  }
  EXPECT_EQ(programs[0], programs[1]);

  const std::string forgot = folder.file("forgot.kvxp"), out = folder.file("forgot.ngc");
  const CliOutcome refused = RunCommandLine(std::vector<std::string_view>{forgot, out}, "9.9");
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_THAT(refused.error, HasSubstr("forgot.kvxp:12: [right] fit \"inside\" needs "
                                       "'joining-wall'"));
}

}  // namespace
}  // namespace korvex
