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
#include "rs274_support.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::ReadNumber;
using test::RunProcess;
using test::SplitLines;
using test::WriteAll;

// What the interpreter did, in order: feed moves with their positions (X Y Z A B C) and the feed
// rate in force, and the torch and dwell calls as letters of a trace.
struct Reading {
  struct Feed {
    std::array<double, 6> start;  // where the move begins
    std::array<double, 6> position;
    double rate;
  };
  std::vector<Feed> feeds;
  std::string trace;  // S start on spindle 0, E stop of spindle 0, F feed move, D dwell
};

Reading ReadCanonical(const std::string& canon) {
  Reading reading;
  double rate = 0;
  std::array<double, 6> last{};
  auto numbersAfter = [](const std::string& line, std::size_t open, std::size_t count) {
    std::vector<double> values;
    std::size_t i = open + 1;
    for (std::size_t n = 0; n < count; ++n) {
      values.push_back(ReadNumber(line, i));
      if (i < line.size() && line[i] == ',') ++i;
    }
    return values;
  };
  for (const std::string& line : SplitLines(canon)) {
    if (const std::size_t at = line.find("SET_FEED_RATE("); at != std::string::npos) {
      rate = numbersAfter(line, line.find('(', at), 1)[0];
    } else if (const std::size_t move = line.find("STRAIGHT_"); move != std::string::npos) {
      const auto v = numbersAfter(line, line.find('(', move), 6);
      const std::array<double, 6> position{v[0], v[1], v[2], v[3], v[4], v[5]};
      if (line.find("STRAIGHT_FEED(") != std::string::npos) {
        reading.feeds.push_back({last, position, rate});
        reading.trace += 'F';
      }
      last = position;
    } else if (line.find("START_SPINDLE_CLOCKWISE(0)") != std::string::npos) {
      reading.trace += 'S';
    } else if (line.find("STOP_SPINDLE_TURNING(0)") != std::string::npos) {
      reading.trace += 'E';
    } else if (line.find("DWELL(") != std::string::npos) {
      reading.trace += 'D';
    }
  }
  return reading;
}

struct ProfileJob {
  const char* name;
  const char* project;     // a sample of Projects/
  const char* axisLetter;  // the tilt axis
  std::size_t tiltAxis;    // its place in X Y Z A B C
};

void PrintTo(const ProfileJob& job, std::ostream* out) {
  *out << job.name;
}

class MachineProfileReading : public testing::TestWithParam<ProfileJob> {
 protected:
  void SetUp() override {
    if (!fs::exists(RS274_PATH)) GTEST_SKIP() << RS274_PATH << " is not installed";
    const ProfileJob& job = GetParam();
    project_ = fs::path(KORVEX_PROJECTS_FOLDER) / job.project;
    MemoryPanel panel;
    panel.setText(kAngleLetterField, job.axisLetter);
    ASSERT_EQ(LoadProject(project_.string(), panel, workspace_.part), std::nullopt);
    ASSERT_TRUE(RebuildScene(panel, workspace_).empty());
  }

  // The converter's program for the machine, read by the interpreter.
  Reading Read(const char* machine) {
    const fs::path program = folder_ / "job.ngc";
    const std::vector<std::string> convert = {
        KORVEX_CLI_PATH,       "--machine",       machine,         "--axis-letter",
        GetParam().axisLetter, project_.string(), program.string()};
    EXPECT_EQ(RunProcess(convert, folder_ / "cli.out", folder_ / "cli.err"), 0)
        << ReadAll(folder_ / "cli.err");
    WriteAll(folder_ / "tools.tbl", "T1 P1 D0 Z0 ;torch\nT2 P2 D0 Z0 ;second\n");
    WriteAll(folder_ / "rs274.var", "");
    const fs::path canon = folder_ / "canon.txt";
    const fs::path errors = folder_ / "rs274.err";
    EXPECT_EQ(RunProcess({RS274_PATH, "-t", (folder_ / "tools.tbl").string(), "-v",
                          (folder_ / "rs274.var").string(), "-g", program.string(), canon.string()},
                         folder_ / "rs274.out", errors),
              0);
    for (const std::string& line : SplitLines(ReadAll(errors))) {
      EXPECT_EQ(line, "executing") << "the interpreter complained";
    }
    const std::string text = ReadAll(canon);
    EXPECT_NE(text.find("PROGRAM_END()"), std::string::npos);
    return ReadCanonical(text);
  }

  // The cut points of the job, the left cut's feed moves (points 1..N) then the right's.
  std::vector<std::array<double, 3>> FeedPoints() const {
    std::vector<std::array<double, 3>> points;
    for (const CutPoints* cut : {&workspace_.job.left.path, &workspace_.job.right.path}) {
      for (int i = 1; i <= workspace_.job.parameters.cutSegments; ++i)
        points.push_back({cut->x[i], cut->y[i], cut->z[i]});
    }
    return points;
  }

  fs::path project_;
  Workspace workspace_;
  test::TempFolder folder_{"korvex-rs274-machine"};
};

constexpr std::size_t kX = 0, kY = 1, kZ = 2, kA = 3;

TEST_P(MachineProfileReading, RotaryDegreesTurnsTheTubeAtTheCuttingFeed) {
  const Reading reading = Read("rotary-degrees");
  const double diameter = workspace_.job.parameters.mainDiameter;
  const auto points = FeedPoints();
  ASSERT_EQ(reading.feeds.size(), points.size());

  constexpr double kFeed = 1000;  // mm/min, the profile's cutting feed
  double surfaceTime = 0;
  double inverseTime = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& at = reading.feeds[i].position;
    const auto& [x, y, tilt] = points[i];
    EXPECT_NEAR(at[kA], 360 * y / (std::numbers::pi * diameter), 1e-3) << "move " << i;
    EXPECT_NEAR(at[kX], x, 5e-4) << "move " << i;
    EXPECT_NEAR(at[GetParam().tiltAxis], tilt, 5e-4) << "move " << i;
    for (std::size_t axis : {kY, kZ}) {
      if (axis != GetParam().tiltAxis) {
        EXPECT_EQ(at[axis], 0) << "move " << i << " axis " << axis;
      }
    }
    const auto& before = reading.feeds[i].start;
    EXPECT_LT(std::abs(at[kA] - before[kA]), 180) << "move " << i;

    // The torch's path on the outer surface: the along-tube step and the unrolled arc.
    const double dx = at[kX] - before[kX];
    const double arc = (at[kA] - before[kA]) * std::numbers::pi * diameter / 360;
    surfaceTime += std::hypot(dx, arc) / kFeed;
    // Inverse time: the interpreter reports F times the move's length, its XYZ length or,
    // when that is 0, its rotary length; the move takes 1/F minutes.
    double length = std::hypot(at[kX] - before[kX], at[kY] - before[kY], at[kZ] - before[kZ]);
    if (length == 0) {
      length = std::hypot(at[3] - before[3], at[4] - before[4], at[5] - before[5]);
    }
    ASSERT_GT(reading.feeds[i].rate, 0) << "move " << i;
    inverseTime += length / reading.feeds[i].rate;
  }
  EXPECT_GT(surfaceTime, 0);
  EXPECT_NEAR(inverseTime, surfaceTime, 0.005 * surfaceTime);
}

TEST_P(MachineProfileReading, PlasmaFiresTheTorchAroundEachCutWithoutDwell) {
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

INSTANTIATE_TEST_SUITE_P(Samples, MachineProfileReading,
                         testing::Values(ProfileJob{"default_tilt_b", "default.kvx", "B", 4},
                                         ProfileJob{"tube_joint_tilt_c", "tube-joint.kvx", "C", 5},
                                         ProfileJob{"bevel_3d_tilt_b", "bevel-3d.kvx", "B", 4},
                                         ProfileJob{"bevel_3d_tilt_z", "bevel-3d.kvx", "Z", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
