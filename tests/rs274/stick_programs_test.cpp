// A cut list's stick programs as the interpreter reads them: every part of a stick where
// plan.json places it, cut as its own program cuts it, and the machine left as found.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "canonical_reading.h"
#include "plan_reading.h"
#include "rs274_support.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using Cut = std::vector<std::array<double, 6>>;
using test::CutsOf;
using test::Json;
using test::ReadAll;
using test::WriteAll;

constexpr std::size_t kX = 0, kY = 1, kA = 3, kB = 4, kNone = 6;

struct StickCase {
  const char* name;
  std::string machine;  // a built-in's name, or the text of a profile of the test's own
  bool tilting;         // the list holds a part in 3D MODE
  std::size_t turn;     // the axis that turns the tube: Y in mm, A in degrees
  std::size_t tilt;     // the tilt axis, kNone without one
  bool toolLines;       // the program sets tool 2 and loads tool 1
  double kerf = 0;      // the profile's
};

void PrintTo(const StickCase& c, std::ostream* out) {
  *out << c.name;
}

class StickProgramTest : public test::InterpreterTest,
                         public testing::WithParamInterface<StickCase> {
 protected:
  // The small frame with the tee's header (a hole) and, when asked, a part in 3D MODE: written
  // by korvex-cli --cut-list for the machine (a name, or a profile's text) into out/.
  Json Plan(std::string machine, bool tilting) {
    std::string list = ReadAll(fs::path(KORVEX_SOURCE_DIR) / "docs/frame/frame.csv");
    for (const auto& file : fs::directory_iterator(fs::path(KORVEX_SOURCE_DIR) / "docs/frame"))
      fs::copy_file(file.path(), folder_ / file.path().filename());
    list += "tee-header.kvxp,1,header\r\n";
    fs::copy_file(fs::path(KORVEX_PROJECTS_FOLDER) / "tee-header.kvxp",
                  folder_ / "tee-header.kvxp");
    if (tilting) {
      list += "bevel-3d.kvx,2,bevel\r\n";
      fs::copy_file(fs::path(KORVEX_PROJECTS_FOLDER) / "bevel-3d.kvx", folder_ / "bevel-3d.kvx");
    }
    WriteAll(folder_ / "list.csv", list);
    if (machine.find('\n') != std::string::npos) {
      WriteAll(folder_ / "shop.machine", machine);
      machine = (folder_ / "shop.machine").string();
    }
    const std::vector<std::string> run = {KORVEX_CLI_PATH,
                                          "--cut-list",
                                          (folder_ / "list.csv").string(),
                                          "--stock",
                                          "6000",
                                          "--kerf",
                                          "1.5",
                                          "--machine",
                                          machine,
                                          "--out-dir",
                                          (folder_ / "out").string()};
    EXPECT_EQ(test::RunProcess(run, folder_ / "cli.out", folder_ / "cli.err"), 0)
        << ReadAll(folder_ / "cli.err");
    return test::JsonReader(ReadAll(folder_ / "out" / "plan.json")).value();
  }

  // The cuts of a part's own program, read once.
  const std::vector<Cut>& OwnCuts(const std::string& name) {
    auto [at, added] = own_.try_emplace(name);
    if (added) at->second = CutsOf(Interpret(folder_ / "out" / (name + ".ngc")));
    return at->second;
  }

  std::map<std::string, std::vector<Cut>> own_;
};

// The distance between two turns of the tube, a whole number of turns apart.
double TurnDifference(double a, double b, double fullTurn) {
  return std::remainder(a - b, fullTurn);
}

// plan.json's placement by hand: flipped (x -> -x, the angle round the tube -> -angle, which in
// the unrolled y is y -> -y, and the tilt along the tube leans the other way), then turned (the
// angle grows as y falls: a turn of t degrees is t pi D / 360 mm or t degrees less), then
// moved by the offset. Each part's end nearer the stick's start is cut first, then its holes
// while it hangs on the stick, then its far end. With a kerf, each end cut of every part,
// turned end for end or not, runs in the scrap: beyond the part's end as the domain computes
// it and plan.json places it, by about half the kerf or more, so the part keeps its length.
TEST_P(StickProgramTest, CutsEveryPartWherePlanJsonPlacesItAndLeavesTheTiltAt0) {
  const StickCase& c = GetParam();
  const Json plan = Plan(c.machine, c.tilting);
  ASSERT_FALSE(plan["sticks"].array.empty());
  int number = 0, flips = 0;
  for (const Json& stick : plan["sticks"].array) {
    const std::string program = "stick-" + std::to_string(++number) + ".ngc";
    ASSERT_EQ(stick["program"].text, program);
    const double diameter = std::stod(stick["tube"].text);
    const double fullTurn = c.turn == kY ? std::numbers::pi * diameter : 360;
    const test::Reading reading = Interpret(folder_ / "out" / program);
    EXPECT_EQ(reading.trace.find_first_of("TC") != std::string::npos, c.toolLines) << program;
    ASSERT_FALSE(reading.rapids.empty());
    // The tilt is put to 0 before anything moves and left there; the program ends home.
    if (c.tilt != kNone) {
      EXPECT_EQ(reading.rapids.front(), (std::array<double, 6>{})) << program;
    }
    EXPECT_EQ(reading.rapids.back(), (std::array<double, 6>{})) << program;

    const std::vector<Cut> cuts = CutsOf(reading);
    std::size_t next = 0;
    for (const Json& part : stick["parts"].array) {
      const std::vector<Cut>& own = OwnCuts(part["name"].text);
      const test::Placed placed{test::DomainCurves((folder_ / part["file"].text).string()),
                                part["offset"].number, part["flipped"].text == "true",
                                part["turn"].number};
      flips += placed.flipped;
      const double sign = placed.flipped ? -1 : 1, turn = placed.turn * fullTurn / 360;
      std::vector<std::size_t> order{placed.flipped ? 1u : 0u};
      for (std::size_t hole = 2; hole < own.size(); ++hole)
        order.push_back(hole);
      order.push_back(placed.flipped ? 0 : 1);
      for (const std::size_t k : order) {
        ASSERT_LT(next, cuts.size()) << program;
        const Cut& cut = cuts[next++];
        ASSERT_EQ(cut.size(), own[k].size()) << program << " " << part["name"].text << " " << k;
        const bool farEnd = k == order.back();
        for (std::size_t i = 0; i < cut.size(); ++i) {
          const auto& want = own[k][i];
          const auto& got = cut[i];
          const std::string where =
              program + " cut " + std::to_string(next) + " point " + std::to_string(i);
          EXPECT_NEAR(got[kX], placed.offset + sign * want[kX], 1.5e-3) << where;
          EXPECT_NEAR(TurnDifference(got[c.turn], sign * want[c.turn] - turn, fullTurn), 0, 1.5e-3)
              << where;
          if (c.tilt != kNone) {
            EXPECT_NEAR(got[c.tilt], sign * want[c.tilt], 1.5e-3) << where;
          }
          if (c.kerf == 0 || k >= 2) continue;  // a hole's place is checked above
          const double angle = 180 - got[c.turn] * 360 / fullTurn;
          EXPECT_GT(farEnd ? got[kX] - placed.x(true, angle) : placed.x(false, angle) - got[kX],
                    0.7)
              << where << " at " << angle << " degrees";
        }
      }
    }
    EXPECT_EQ(next, cuts.size()) << program;
  }
  EXPECT_GT(flips, 0) << "the list turns no part end for end";
}

const std::string kKerfProfile =
    "axes = degrees\nkerf = 1.5\nlead-in = 3\nlead-out = 3\novercut = 2\ntilt-axis = B\n";

INSTANTIATE_TEST_SUITE_P(
    Machines, StickProgramTest,
    testing::Values(StickCase{"described", "described", true, kY, kA, true},
                    StickCase{"rotary_degrees", "rotary-degrees", true, kA, kB, false},
                    StickCase{"plasma", "plasma", false, kY, kNone, false},
                    StickCase{"kerf_and_leads", kKerfProfile, true, kA, kB, false, 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
