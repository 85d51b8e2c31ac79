#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_panel.h"
#include "project/project_file.h"
#include "rs274_support.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

// The six axes the interpreter reports for every straight move.
constexpr std::string_view kAxes = "XYZABC";
using AxisValues = std::array<double, 6>;

struct Move {
  bool feed;  // G1 / STRAIGHT_FEED, otherwise G0 / STRAIGHT_TRAVERSE
  AxisValues position;
};

using test::ReadAll;
using test::ReadNumber;
using test::RunProcess;
using test::SplitLines;
using test::WriteAll;

// The moves of the program's G0 and G1 lines, each axis keeping its value until a line names
// it again, as the interpreter's modal state does.
std::vector<Move> ProgramMoves(const std::string& program) {
  std::vector<Move> moves;
  AxisValues position{};
  for (const std::string& line : SplitLines(program)) {
    const bool feed = line.starts_with("G1 ");
    if (!feed && !line.starts_with("G0 ")) continue;
    for (std::size_t i = 3; i < line.size();) {
      const std::size_t axis = kAxes.find(static_cast<char>(std::toupper(line[i])));
      if (line[i] == ' ' || axis == std::string_view::npos) {
        EXPECT_EQ(line[i], ' ') << "unexpected word in: " << line;
        ++i;
        continue;
      }
      ++i;
      position[axis] = ReadNumber(line, i);
    }
    moves.push_back({feed, position});
  }
  return moves;
}

// The STRAIGHT_FEED and STRAIGHT_TRAVERSE calls of the interpreter's canonical output.
std::vector<Move> CanonicalMoves(const std::string& canon) {
  std::vector<Move> moves;
  for (const std::string& line : SplitLines(canon)) {
    const bool feed = line.find("STRAIGHT_FEED(") != std::string::npos;
    const std::size_t open = line.find(feed ? "STRAIGHT_FEED(" : "STRAIGHT_TRAVERSE(");
    if (open == std::string::npos) continue;
    std::size_t i = line.find('(', open) + 1;
    Move move{feed, {}};
    for (std::size_t axis = 0; axis < kAxes.size(); ++axis) {
      move.position[axis] = ReadNumber(line, i);
      if (i < line.size() && line[i] == ',') ++i;
    }
    moves.push_back(move);
  }
  return moves;
}

struct ClientCase {
  const char* name;
  std::vector<std::pair<int, std::string>> texts;  // changes to the panel's defaults
  std::vector<int> tickedBoxes;
  const char* axisLetter;
  const char* sampleProject;       // a file of Projects/ instead of the panel
  const char* projectFolder = "";  // where the project is stored; its path is in the header
};

const std::string kLongFolder = std::string(120, 'l') + "/" + std::string(120, 'm');

void PrintTo(const ClientCase& job, std::ostream* out) {
  *out << job.name;
}

class Rs274Client : public testing::TestWithParam<ClientCase> {
 protected:
  void SetUp() override {
    if (!fs::exists(RS274_PATH)) GTEST_SKIP() << RS274_PATH << " is not installed";
  }

  fs::path projectFile() const {
    const ClientCase& c = GetParam();
    if (c.sampleProject) return fs::path(KORVEX_PROJECTS_FOLDER) / c.sampleProject;
    MemoryPanel panel;
    for (const auto& [id, text] : c.texts)
      panel.setText(id, text);
    for (int id : c.tickedBoxes)
      panel.setCheckState(id, 1);
    fs::create_directories(folder_ / c.projectFolder);
    const fs::path path = folder_ / c.projectFolder / "job.kvx";
    WriteAll(path, FormatProjectFile(ProjectFieldsFromPanel(panel)).bytes);
    return path;
  }

  test::TempFolder folder_{"korvex-rs274"};
};

TEST_P(Rs274Client, AcceptsTheProgramAndMovesThroughItsPoints) {
  const fs::path program = folder_ / "job.ngc";
  std::vector<std::string> convert = {KORVEX_CLI_PATH};
  if (GetParam().axisLetter)
    convert.insert(convert.end(), {"--axis-letter", GetParam().axisLetter});
  convert.insert(convert.end(), {projectFile().string(), program.string()});
  ASSERT_EQ(RunProcess(convert, folder_ / "cli.out", folder_ / "cli.err"), 0)
      << ReadAll(folder_ / "cli.err");

  // G10 L1 P2 in the header needs tool 2 in the table; the interpreter keeps its parameters
  // in the variable file and rewrites it, so each run gets its own.
  WriteAll(folder_ / "tools.tbl", "T1 P1 D0 Z0 ;torch\nT2 P2 D0 Z0 ;second\n");
  WriteAll(folder_ / "rs274.var", "");
  const fs::path canon = folder_ / "canon.txt";
  const fs::path errors = folder_ / "rs274.err";
  const int status =
      RunProcess({RS274_PATH, "-t", (folder_ / "tools.tbl").string(), "-v",
                  (folder_ / "rs274.var").string(), "-g", program.string(), canon.string()},
                 folder_ / "rs274.out", errors);
  EXPECT_EQ(status, 0) << ReadAll(errors);
  for (const std::string& line : SplitLines(ReadAll(errors))) {
    EXPECT_EQ(line, "executing") << "the interpreter complained";
  }
  const std::string canonical = ReadAll(canon);
  EXPECT_NE(canonical.find("PROGRAM_END()"), std::string::npos);

  const std::vector<Move> expected = ProgramMoves(ReadAll(program));
  const std::vector<Move> actual = CanonicalMoves(canonical);
  ASSERT_GT(expected.size(), 4u);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].feed, expected[i].feed) << "move " << i;
    for (std::size_t axis = 0; axis < kAxes.size(); ++axis) {
      EXPECT_EQ(actual[i].position[axis], expected[i].position[axis])
          << "move " << i << " axis " << kAxes[axis];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, Rs274Client,
    testing::Values(
        ClientCase{"default_sample", {}, {}, nullptr, "default.kvx"},
        ClientCase{"tube_joint_sample", {}, {}, nullptr, "tube-joint.kvx"},
        ClientCase{"bevel_3d_sample", {}, {}, "C", "bevel-3d.kvx"},
        // Both halves of a tee and of a lateral, from part files: holes are objects 3 on.
        ClientCase{"tee_header_part", {}, {}, nullptr, "tee-header.kvxp"},
        ClientCase{"tee_branch_part", {}, {}, nullptr, "tee-branch.kvxp"},
        ClientCase{"lateral_header_part", {}, {}, "B", "lateral-header.kvxp"},
        ClientCase{"lateral_branch_part", {}, {}, nullptr, "lateral-branch.kvxp"},
        ClientCase{"tube_joint_both_ends",
                   {{kLeftDiameterField, "60"},
                    {kRightDiameterField, "48"},
                    {kLeftAngleField, "30"},
                    {kRightAngleField, "-20"}},
                   {kLeftCutOvalBox, kRightCutOvalBox},
                   nullptr,
                   nullptr},
        ClientCase{"mode_3d",
                   {{kThicknessField, "3"}, {kLeftAngleField, "35"}},
                   {kLeftMode3dBox, kRightMode3dBox},
                   nullptr,
                   nullptr},
        ClientCase{"compensation",
                   {{kCutSegmentsField, "36"}},
                   {kLeftCompensationBox, kRightCompensationBox},
                   nullptr,
                   nullptr},
        ClientCase{"angle_diff",
                   {{kLeftAngleDiffField, "30"},
                    {kRightAngleDiffField, "-45"},
                    {kLeftDiameterField, "50"}},
                   {kLeftCutOvalBox},
                   nullptr,
                   nullptr},
        ClientCase{"axis_letter_b", {{kCutSegmentsField, "4"}}, {kLeftMode3dBox}, "B", nullptr},
        ClientCase{"axis_letter_z", {}, {kRightMode3dBox}, "Z", nullptr},
        // Brackets and line breaks in the project's path must not break the header comment.
        ClientCase{"path_with_brackets", {}, {}, nullptr, nullptr, "jobs (copy)"},
        ClientCase{"path_with_line_break", {}, {}, " C ", nullptr, "a\r\n(b)"},
        // A path longer than a program line can hold is shortened in the header comment.
        ClientCase{"long_path", {}, {}, nullptr, nullptr, kLongFolder.c_str()},
        ClientCase{"thousand_segments",
                   {{kCutSegmentsField, "1000"},
                    {kMainDiameterField, "114.3"},
                    {kLeftDiameterField, "168.3"}},
                   {kLeftCutOvalBox, kRightMode3dBox},
                   nullptr,
                   nullptr}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace korvex
