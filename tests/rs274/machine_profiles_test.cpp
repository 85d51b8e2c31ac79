// The interpreter reads the programs of the rotary and plasma profiles as a machine would.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "canonical_reading.h"
#include "domain/end_cut.h"
#include "flat_polygon.h"
#include "gcode/machine_program.h"
#include "gcode/profile_parser.h"
#include "rs274_support.h"
#include "temp_folder.h"
#include "toolpath/toolpath.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::InterpreterTest;
using test::ReadAll;
using test::Reading;
using test::RunProcess;
using test::SplitLines;
using test::WriteAll;

struct ProfileJob {
  const char* name;
  const char* project;  // a sample of Projects/
};

void PrintTo(const ProfileJob& job, std::ostream* out) {
  *out << job.name;
}

class MachineProfileReading : public InterpreterTest,
                              public testing::WithParamInterface<ProfileJob> {
 protected:
  void SetUp() override {
    InterpreterTest::SetUp();
    if (IsSkipped()) return;
    const ProfileJob& job = GetParam();
    project_ = fs::path(KORVEX_PROJECTS_FOLDER) / job.project;
    MemoryPanel panel;
    ASSERT_EQ(LoadProject(project_.string(), panel, workspace_.part), std::nullopt);
    ASSERT_TRUE(RebuildScene(panel, workspace_).empty());
  }

  // The converter's exit status for the machine; with status 0 its program.
  int Convert(const char* machine) {
    const std::vector<std::string> convert = {KORVEX_CLI_PATH, "--machine", machine,
                                              project_.string(), (folder_ / "job.ngc").string()};
    return RunProcess(convert, folder_ / "cli.out", folder_ / "cli.err");
  }

  // The converter's program for the machine, read by the interpreter.
  Reading Read(const char* machine) {
    EXPECT_EQ(Convert(machine), 0) << ReadAll(folder_ / "cli.err");
    return Interpret(folder_ / "job.ngc");
  }

  // The cut points of the job as the feed moves reach them: each end runs with its part (toward
  // the other end) right of travel, the left end from point N back to 0, the right from 0 to N.
  std::vector<std::array<double, 3>> FeedPoints() const {
    std::vector<std::array<double, 3>> points;
    const int n = workspace_.job.parameters.cutSegments;
    for (int k = 1; k <= 2 * n; ++k) {
      const CutPoints& cut = k <= n ? workspace_.job.left.path : workspace_.job.right.path;
      const int i = k <= n ? n - k : k - n;
      points.push_back({cut.x[i], cut.y[i], cut.z[i]});
    }
    return points;
  }

  fs::path project_;
  Workspace workspace_;
};

constexpr std::size_t kX = 0, kY = 1, kZ = 2, kA = 3, kB = 4;

// The largest relative difference between feed and the speed a move crosses the surface at (the
// X step and the arc of the A step): inverse time makes a move take 1/F minutes, reported as F
// times its XYZ length or, without one, its rotary length.
double WorstSurfaceSpeedError(const Reading& reading, double diameter, double feed) {
  double worst = 0;
  for (const Reading::Feed& move : reading.feeds) {
    const auto& [from, at] = std::tie(move.start, move.position);
    const double surface =
        std::hypot(at[kX] - from[kX], (at[kA] - from[kA]) * std::numbers::pi * diameter / 360);
    if (surface < 1e-9) continue;
    double length = std::hypot(at[kX] - from[kX], at[kY] - from[kY], at[kZ] - from[kZ]);
    if (length == 0) length = std::hypot(at[3] - from[3], at[4] - from[4], at[5] - from[5]);
    worst = std::max(worst, std::abs(surface * move.rate / length / feed - 1));
  }
  return worst;
}

// The rotary machine turns the tube on A and tilts the torch on B, whatever the job's ANGLE
// LETTER: the tilt is put to 0 first and left at 0 at the end, and the tool table is left alone.
TEST_P(MachineProfileReading, RotaryDegreesTurnsTheTubeAtTheCuttingFeed) {
  const Reading reading = Read("rotary-degrees");
  EXPECT_EQ(reading.trace.find_first_of("TC"), std::string::npos);
  ASSERT_FALSE(reading.rapids.empty());
  EXPECT_EQ(reading.rapids.front(), (std::array<double, 6>{}));
  EXPECT_EQ(reading.rapids.back(), (std::array<double, 6>{}));
  const double diameter = workspace_.job.parameters.mainDiameter;
  const auto points = FeedPoints();
  ASSERT_EQ(reading.feeds.size(), points.size());

  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& at = reading.feeds[i].position;
    const auto& [x, y, tilt] = points[i];
    EXPECT_NEAR(at[kA], 360 * y / (std::numbers::pi * diameter), 1e-3) << "move " << i;
    EXPECT_NEAR(at[kX], x, 5e-4) << "move " << i;
    EXPECT_NEAR(at[kB], tilt, 5e-4) << "move " << i;
    for (std::size_t axis : {kY, kZ, kB + 1})
      EXPECT_EQ(at[axis], 0) << "move " << i << " axis " << axis;
    EXPECT_LT(std::abs(at[kA] - reading.feeds[i].start[kA]), 180) << "move " << i;
  }
  EXPECT_LT(WorstSurfaceSpeedError(reading, diameter, 1000), 1e-3);
}

// The plasma machine moves X and Y only: no tool calls, and a job that tilts is refused.
TEST_P(MachineProfileReading, PlasmaFiresTheTorchAroundEachCutWithoutDwell) {
  if (JobTilts(workspace_.job)) {
    EXPECT_EQ(Convert("plasma"), 1);
    EXPECT_NE(ReadAll(folder_ / "cli.err").find("has no tilt axis"), std::string::npos);
    return;
  }
  const Reading reading = Read("plasma");
  const std::size_t n = static_cast<std::size_t>(workspace_.job.parameters.cutSegments);
  const std::string cut = "S" + std::string(n, 'F') + "E";
  // The program's end stops spindle 0 once more.
  EXPECT_EQ(reading.trace, cut + cut + "E");
  const auto points = FeedPoints();
  ASSERT_EQ(reading.feeds.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(reading.feeds[i].position[kX], points[i][0], 5e-4) << "move " << i;
    EXPECT_NEAR(reading.feeds[i].position[kY], points[i][1], 5e-4) << "move " << i;
  }
}

// The interpreter reads a profile's numbers at their bounds, its longest code lines and title. A
// 3.6 mm tube in 1000 segments turns 0.36 degrees, 0.0113 mm a step: there the rounding of the X
// and A words matters. The material feed is a parameter the program sets itself here.
TEST_F(InterpreterTest, EveryProfileIsReadAndCutsAtItsFeed) {
  const std::string code(189, 'c');
  const struct {
    const char* name;
    const char* diameter;  // replaces the project's, with 1000 CUT SEGMENTS
    std::string profile;
  } cases[] = {
      {"small_tube", "3.6", "axes = degrees\nfeed = 1500\ntilt-axis = angle-letter\n"},
      {"small_tube_material", "3.6",
       "axes = degrees\nfeed = material\nrapid-feed = 100000\ntilt-axis = C\n"},
      {"bounds", nullptr,
       "title = " + std::string(98, 't') + "\xC3\xB6\nfeed = 1\nrapid-feed = 1\ntilt-axis = B\n" +
           "pierce-delay = 100\ntorch-on = M3 $0 S1 (" + code + ")\nbefore-cut = M65 P2 ;" + code +
           "xxx\nafter-cut = G4 P0.0001\n"}};
  for (const auto& c : cases) {
    MemoryPanel panel;
    panel.setText(kAngleLetterField, "B");
    Workspace workspace;
    ASSERT_EQ(LoadProject(KORVEX_PROJECTS_FOLDER "/bevel-3d.kvx", panel, workspace.part),
              std::nullopt);
    if (c.diameter) panel.setText(kMainDiameterField, c.diameter);
    if (c.diameter) panel.setText(kCutSegmentsField, "1000");
    ASSERT_TRUE(RebuildScene(panel, workspace).empty());
    workspace.cutObjectCount = 2;
    const auto parse = ParseMachineProfile(c.profile, "bounds", "bounds.machine");
    ASSERT_TRUE(std::holds_alternative<MachineProfile>(parse)) << c.name;
    const MachineProfile& profile = std::get<MachineProfile>(parse);
    std::string program = "#<cutfeed> = 1000\r\n" +
                          FormatMachineProgram(workspace.job, ProgramHeaderFor(workspace), profile);
    const std::string material = "#<_hal[plasmac.cut-feed-rate]>";
    for (std::size_t at; (at = program.find(material)) != std::string::npos;)
      program.replace(at, material.size(), "#<cutfeed>");
    for (const std::string& line : SplitLines(program))
      EXPECT_LE(line.size(), 251u) << c.name;  // with CR LF, what rs274 reads
    WriteAll(folder_ / "job.ngc", program);
    const Reading reading = Interpret(folder_ / "job.ngc");
    EXPECT_EQ(reading.feeds.size(), 2u * workspace.job.parameters.cutSegments) << c.name;
    if (profile.axes == AxisForm::Degrees) {
      const double worst = WorstSurfaceSpeedError(reading, workspace.job.parameters.mainDiameter,
                                                  profile.cuttingFeed);
      EXPECT_LT(worst, 1e-3) << c.name;
    }
  }
}

struct ToolpathCase {
  const char* name;
  char shape;           // 'p' the default job's planes, 't' the 40-on-40 tee, 's' 80 degree planes
  std::string profile;  // its text
  double hornTip;       // the loops' greatest distance from the middle along X; 0: not checked
  const char* refusal;  // a part of the reason the job is refused, or nullptr
};

// What the controller reads of a profile's torch paths, against the curves of the job: every
// loop point half the kerf off the part line on the scrap side (also at 3.45 of the steep cut's
// least radius, R / tan 80° = 3.527 mm), pierce and lead-out in the scrap a kerf or more off it,
// the overcut as long as asked, an arc lead on the quarter circle (radius 2L/π) tangent to the
// loop, the second end pierced less than a quarter turn from where the first ended, the horn tips
// of the tee reached (the steps of 4 degrees stop 0.698 mm short); a kerf too wide refused.
TEST_F(InterpreterTest, ToolpathsKeepTheirGeometry) {
  const std::string kerfAndLeads = "kerf = 1.5\nlead-in = 3\nlead-out = 3\novercut = 2\n";
  const ToolpathCase cases[] = {
      {"plasma_arc_leads", 'p',
       "axes = mm\npierce-delay = 0\n" + kerfAndLeads + "tolerance = 0.01\n", 0, nullptr},
      {"rotary_tee_line_leads_left", 't',
       "axes = degrees\n" + kerfAndLeads +
           "lead-shape = line\ngood-side = left\nstart-angle = 90\n"
           "tolerance = 0.02\n",
       100.75, nullptr},
      {"tee_horn_tip", 't', "axes = mm\ntolerance = 0.02\n", 100, nullptr},
      {"steep_near_its_radius", 's', "kerf = 6.9\ntolerance = 0.01\n", 0, nullptr},
      {"steep_too_wide", 's', "kerf = 7.2\n", 0, "the left end: the kerf 7.2 mm is too wide"}};
  for (const ToolpathCase& c : cases) {
    MemoryPanel panel;
    Workspace workspace;
    ASSERT_EQ(LoadProject(KORVEX_PROJECTS_FOLDER "/default.kvx", panel, workspace.part),
              std::nullopt);
    for (int id : {kLeftAngleField, kRightAngleField})
      panel.setText(id, c.shape == 't' ? "0" : c.shape == 's' ? "80" : "45");
    for (int id : {kLeftCutOvalBox, kRightCutOvalBox})
      panel.setCheckState(id, c.shape == 't');
    ASSERT_TRUE(RebuildScene(panel, workspace).empty());
    workspace.cutObjectCount = 2;
    const ComputedJob& job = workspace.job;
    const MachineProfile profile =
        std::get<MachineProfile>(ParseMachineProfile(c.profile, "path", "path.machine"));
    const auto problem = MachineProgramProblem(job, ProgramHeaderFor(workspace), profile);
    ASSERT_EQ(problem.has_value(), c.refusal != nullptr) << c.name;
    if (problem) {
      EXPECT_NE(problem->find(c.refusal), std::string::npos) << *problem;
      continue;
    }
    WriteAll(folder_ / "job.ngc", FormatMachineProgram(job, ProgramHeaderFor(workspace), profile));
    const Reading reading = Interpret(folder_ / "job.ngc");
    const bool degrees = profile.axes == AxisForm::Degrees;
    const double r = job.parameters.mainRadius, halfKerf = profile.toolpath.kerf / 2;
    // Where feed move k ends, or starts (the pierce, for a first move): x and the unrolled y.
    auto at = [&](std::size_t k, bool pierce) {
      const auto& p = pierce ? reading.feeds[k].start : reading.feeds[k].position;
      return std::array<double, 2>{p[kX], degrees ? p[kA] * kPi * r / 180 : p[kY]};
    };
    auto partLine = [&](int side, double y) {
      return MachinePathAt(side, side < 0 ? job.parameters.left : job.parameters.right,
                           job.parameters, kPi - y / r)
          .x;
    };
    // The distance from the part line, searched along it to either side.
    auto offLine = [&](int side, std::array<double, 2> p) {
      double best = 1e9;
      for (double y = p[1] - 5; y < p[1] + 5; y += 0.001)
        best = std::min(best, std::hypot(p[0] - partLine(side, y), p[1] - y));
      return best;
    };
    std::size_t first = 0;  // the end's first feed move
    std::array<double, 2> lastEnd{};
    for (int side : {-1, 1}) {
      const Toolpath path = std::get<Toolpath>(PlanEndToolpath(job, side, profile.toolpath));
      auto point = [&](std::size_t i) {
        return i == 0 ? at(first, true) : at(first + i - 1, false);
      };
      const std::array<double, 2> pierce = point(0), out = point(path.points.size() - 1);
      EXPECT_LT(side > 0 ? std::abs(pierce[1] - lastEnd[1]) : 0, kPi * r / 2) << c.name;
      double tip = 0;
      for (std::size_t i = path.loopStart; i <= path.loopEnd; ++i) {
        const auto p = point(i);
        tip = std::max(tip, side * p[0]);
        if (halfKerf == 0) continue;
        EXPECT_NEAR(offLine(side, p), halfKerf, 1e-3) << c.name << " " << side << " " << i;
        EXPECT_GT(side * (p[0] - partLine(side, p[1])), 0) << c.name << " " << i;
      }
      EXPECT_NEAR(tip, c.hornTip > 0 ? c.hornTip : tip, 6e-4) << c.name;
      for (const auto& p : {pierce, out}) {
        if (profile.toolpath.leadIn == 0) break;
        EXPECT_GT(side * (p[0] - partLine(side, p[1])), 0) << c.name;
        EXPECT_GT(offLine(side, p), profile.toolpath.kerf) << c.name;
      }
      if (profile.toolpath.leadShape == LeadShape::Arc && path.loopStart > 0) {
        const auto s = point(path.loopStart), next = point(path.loopStart + 1);
        const double lead = 2 * profile.toolpath.leadIn / kPi;
        const double u = std::hypot(next[0] - s[0], next[1] - s[1]);
        const double cx = s[0] - lead * (next[1] - s[1]) / u,
                     cy = s[1] + lead * (next[0] - s[0]) / u;
        for (std::size_t i = 0; i < path.loopStart; ++i)
          EXPECT_NEAR(std::hypot(point(i)[0] - cx, point(i)[1] - cy), lead, 3e-3) << c.name << i;
      }
      double overcut = 0;
      for (std::size_t i = path.loopEnd + 1; i <= path.overcutEnd; ++i)
        overcut += std::hypot(point(i)[0] - point(i - 1)[0], point(i)[1] - point(i - 1)[1]);
      EXPECT_NEAR(overcut, profile.toolpath.overcut, 2e-3) << c.name;
      lastEnd = out;
      first += path.points.size() - 1;
    }
    EXPECT_EQ(first, reading.feeds.size()) << c.name;
    EXPECT_LT(degrees ? WorstSurfaceSpeedError(reading, 2 * r, 1000) : 0, 1e-3) << c.name;
  }
}

// The tee header's hole as the controller reads a profile's program, in mm and in degrees: after
// both ends' moves, the hole's loop runs half the kerf inside its edge (its computed steps,
// straight between them) all round, pierced inside the hole, at the cutting feed.
TEST_F(InterpreterTest, AHoleIsCutInsideItsEdgeByHalfTheKerf) {
  for (const char* axes : {"mm", "degrees"}) {
    MemoryPanel panel;
    Workspace workspace;
    ASSERT_EQ(LoadProject(KORVEX_PROJECTS_FOLDER "/tee-header.kvxp", panel, workspace.part),
              std::nullopt);
    ASSERT_TRUE(RebuildScene(panel, workspace).empty());
    workspace.cutObjectCount = 3;
    const ComputedJob& job = workspace.job;
    const MachineProfile profile = std::get<MachineProfile>(ParseMachineProfile(
        "axes = " + std::string(axes) + "\nkerf = 1.5\nlead-in = 3\n", "path", "path.machine"));
    WriteAll(folder_ / "job.ngc", FormatMachineProgram(job, ProgramHeaderFor(workspace), profile));
    const Reading reading = Interpret(folder_ / "job.ngc");
    const double r = job.parameters.mainRadius;
    auto at = [&](const std::array<double, 6>& p) {
      return test::FlatPoint{p[kX],
                             profile.axes == AxisForm::Degrees ? p[kA] * kPi * r / 180 : p[kY]};
    };
    test::FlatPolygon edge;
    const int n = job.parameters.cutSegments;
    for (int k = 0; k <= n; ++k)
      edge.corners.push_back({job.holes[0].path.x[k % n], job.holes[0].path.y[k % n]});

    std::size_t first = 0;  // the hole's first feed move
    for (int side : {-1, 1})
      first += std::get<Toolpath>(PlanEndToolpath(job, side, profile.toolpath)).points.size() - 1;
    const Toolpath hole = std::get<Toolpath>(PlanHoleToolpath(job, 0, profile.toolpath));
    ASSERT_EQ(first + hole.points.size() - 1, reading.feeds.size()) << axes;
    EXPECT_TRUE(edge.inside(at(reading.feeds[first].start))) << axes;
    for (std::size_t i = hole.loopStart; i <= hole.loopEnd; ++i) {
      const test::FlatPoint p = at(reading.feeds[first + i - 1].position);
      EXPECT_TRUE(edge.inside(p)) << axes << " " << i;
      EXPECT_NEAR(edge.distance(p), 0.75, 0.01) << axes << " " << i;
    }
    if (profile.axes == AxisForm::Degrees) {
      EXPECT_LT(WorstSurfaceSpeedError(reading, 2 * r, 1000), 1e-3);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, MachineProfileReading,
                         testing::Values(ProfileJob{"default", "default.kvx"},
                                         ProfileJob{"tube_joint", "tube-joint.kvx"},
                                         ProfileJob{"bevel_3d", "bevel-3d.kvx"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
