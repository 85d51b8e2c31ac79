#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_panel.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "cli/cli_options.h"
#include "cli/run_command_line.h"
#include "gcode/gcode_writer.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;

using Arguments = std::vector<std::string_view>;

struct ParseCase {
  const char* name;
  Arguments arguments;
  CliOptions::Action action;
  const char* axisLetter;  // nullptr: not given
  const char* atAngle;
  const char* project;
  const char* output;
  bool usageError;
};

class CliArgumentParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(CliArgumentParsing, ReadsTheCommandLine) {
  const ParseCase& c = GetParam();
  const ParsedCommandLine parsed = ParseCliArguments(c.arguments);
  EXPECT_EQ(parsed.options.action, c.action);
  EXPECT_EQ(parsed.usageError.has_value(), c.usageError);
  if (c.usageError || c.action != CliOptions::Action::Convert) return;
  EXPECT_EQ(parsed.options.axisLetter.value_or("(none)"), c.axisLetter ? c.axisLetter : "(none)");
  EXPECT_EQ(parsed.options.atAngle.value_or("(none)"), c.atAngle ? c.atAngle : "(none)");
  EXPECT_EQ(parsed.options.projectPath, c.project);
  EXPECT_EQ(parsed.options.outputPath, c.output);
}

constexpr auto kConvert = CliOptions::Action::Convert;
constexpr auto kHelp = CliOptions::Action::ShowHelp;
constexpr auto kVersion = CliOptions::Action::ShowVersion;

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliArgumentParsing,
    testing::Values(
        ParseCase{
            "two_files", {"p.kvx", "o.ngc"}, kConvert, nullptr, nullptr, "p.kvx", "o.ngc", false},
        ParseCase{"axis_letter",
                  {"--axis-letter", "B", "p", "o"},
                  kConvert,
                  "B",
                  nullptr,
                  "p",
                  "o",
                  false},
        ParseCase{"axis_letter_joined",
                  {"--axis-letter=Z", "p", "o"},
                  kConvert,
                  "Z",
                  nullptr,
                  "p",
                  "o",
                  false},
        ParseCase{"negative_at_angle",
                  {"--at-angle", "-30", "p", "o"},
                  kConvert,
                  nullptr,
                  "-30",
                  "p",
                  "o",
                  false},
        ParseCase{"options_after_files",
                  {"p", "o", "--at-angle=90", "--axis-letter", " C "},
                  kConvert,
                  " C ",
                  "90",
                  "p",
                  "o",
                  false},
        ParseCase{
            "empty_value", {"--axis-letter=", "p", "o"}, kConvert, "", nullptr, "p", "o", false},
        ParseCase{"dash_file_after_separator",
                  {"--", "-p.kvx", "--help"},
                  kConvert,
                  nullptr,
                  nullptr,
                  "-p.kvx",
                  "--help",
                  false},
        ParseCase{"lone_dash_is_a_file", {"-", "o"}, kConvert, nullptr, nullptr, "-", "o", false},
        ParseCase{"help", {"--help"}, kHelp, nullptr, nullptr, "", "", false},
        ParseCase{"short_help", {"-h"}, kHelp, nullptr, nullptr, "", "", false},
        ParseCase{"help_wins", {"p", "--bogus", "--help"}, kHelp, nullptr, nullptr, "", "", false},
        ParseCase{"version", {"--version"}, kVersion, nullptr, nullptr, "", "", false},
        ParseCase{"nothing", {}, kConvert, nullptr, nullptr, "", "", true},
        ParseCase{"one_file", {"p"}, kConvert, nullptr, nullptr, "", "", true},
        ParseCase{"three_files", {"p", "o", "x"}, kConvert, nullptr, nullptr, "", "", true},
        ParseCase{
            "unknown_option", {"--bogus", "p", "o"}, kConvert, nullptr, nullptr, "", "", true},
        ParseCase{
            "unknown_short_option", {"-x", "p", "o"}, kConvert, nullptr, nullptr, "", "", true},
        ParseCase{
            "value_missing", {"p", "o", "--at-angle"}, kConvert, nullptr, nullptr, "", "", true}),
    [](const auto& info) { return info.param.name; });

using test::ReadAll;
using test::WriteAll;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class CliRunTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteAll(project_, FormatProjectFile(ProjectFieldsFromPanel(MemoryPanel())).bytes);
  }

  CliOutcome run(Arguments arguments) const { return RunCommandLine(arguments, "9.9"); }

  // The run failed with one line on standard error and wrote nothing.
  void expectFailure(const CliOutcome& outcome, int status, const std::string& start) const {
    EXPECT_EQ(outcome.exitStatus, status);
    EXPECT_EQ(outcome.output, "");
    EXPECT_THAT(outcome.error, StartsWith(start));
    if (status == 1) {
      EXPECT_EQ(std::count(outcome.error.begin(), outcome.error.end(), '\n'), 1);
    }
  }

  test::TempFolder folder_{"korvex-cli"};
  std::string project_ = folder_.file("frame.kvx");
  std::string output_ = folder_.file("frame.ngc");
};

TEST_F(CliRunTest, DefaultProjectGivesTheResultLinesAndTheProgram) {
  const CliOutcome outcome = run({project_, output_});
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "X LENGTH 240.000\nY LENGTH 125.664\n");
  EXPECT_EQ(outcome.error, "");

  const std::vector<std::string> lines = LinesOf(ReadAll(output_));
  ASSERT_EQ(lines.size(), 216u);  // 17 header lines, two objects of 98, 3 trailer lines
  EXPECT_EQ(lines[1],
            "(Begin        " + project_ + std::string(14 - project_.size() % 14, ' ') + ")");
  EXPECT_EQ(lines[7], "(002)");
  EXPECT_EQ(lines[116], "(002)");
  EXPECT_EQ(lines[19], "(091)");
  EXPECT_EQ(lines[20], "G0 X -120.000 Y 62.832 A 0.000");
  EXPECT_EQ(lines[118], "G0 X 80.000 Y 62.832 A 0.000");
  EXPECT_EQ(lines[215], "(Finish)");
}

TEST_F(CliRunTest, ProgramIsTheOneOpenAndSaveGcodeWouldWrite) {
  WriteAll(project_,
           "\r\n36\r\n60\r\n3\r\n-150\r\n80\r\n30\r\n10\r\n120\r\n60\r\n-20\r\n0\r\n"
           " 1\r\n 1\r\n 0\r\n 0\r\n 1\r\n 1\r\n 0\r\n");
  ASSERT_EQ(run({"--axis-letter", "B", project_, output_}).exitStatus, 0);

  MemoryPanel panel;
  panel.setText(kAngleLetterField, "B");
  ApplyProjectFields(ReadProjectFields(ReadAll(project_)), panel);
  Workspace workspace;
  workspace.projectPath = project_;
  workspace.cutObjectCount = 2;
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  EXPECT_EQ(ReadAll(output_), FormatGcodeProgram(workspace.job, {project_, "B", 60, 2}));
  EXPECT_THAT(ReadAll(output_), HasSubstr(" B "));
}

// A 60.3 x 3.9 header with the bore (ρ = 17.6) of a 42.4 x 3.6 branch set on 8 mm beside its
// axis: the hole follows the ends as object 3; at φ = 0 it lies at x = ρ, and 8 mm beside
// the axis round the tube, y = −30.15·asin(8 / 30.15) = −8.097.
TEST_F(CliRunTest, PartFileGivesTheHoleAfterTheEnds) {
  const std::string part = folder_.file("TEE.KVXP");
  WriteAll(part,
           "[tube]\ndiameter = 60.3\nwall = 3.9\n[[hole]]\nbranch-diameter = 42.4\n"
           "branch-wall = 3.6\noffset = 8\n");
  ASSERT_EQ(run({"--axis-letter", "B", part, output_}).exitStatus, 0);
  const std::vector<std::string> lines = LinesOf(ReadAll(output_));
  ASSERT_EQ(lines.size(), 17u + 3 * 98 + 3);
  EXPECT_EQ(lines[7], "(003)");
  EXPECT_EQ(lines[17 + 2 * 98], "(Object)");
  EXPECT_EQ(lines[18 + 2 * 98], "(003)");
  EXPECT_EQ(lines[20 + 2 * 98], "G0 X 17.600 Y -8.097 B 0.000");

  WriteAll(part, "[tube]\nsegments = 2.5\n");
  expectFailure(run({part, output_}), 1,
                "korvex-cli: project not opened: " + part + ":2: 'segments' in [tube] must");
}

TEST_F(CliRunTest, HelpAndVersion) {
  const CliOutcome help = run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_THAT(help.output, StartsWith("Usage: korvex-cli [--axis-letter L] [--at-angle DEG]"));
  const CliOutcome version = run({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.output, "korvex-cli 9.9\n");
}

TEST_F(CliRunTest, UsageErrorsExitWithTwo) {
  expectFailure(run({project_}), 2, "korvex-cli: a project file and an output file");
  expectFailure(run({"--axis", "B", project_, output_}), 2, "korvex-cli: unknown option --axis");
  EXPECT_FALSE(fs::exists(output_));
}

TEST_F(CliRunTest, RefusedJobWritesNothing) {
  WriteAll(output_, "earlier program");
  WriteAll(project_, "\r\n0\r\n-40\r\n");
  const CliOutcome outcome = run({project_, output_});
  expectFailure(outcome, 1, "korvex-cli: job refused: ");
  EXPECT_THAT(outcome.error, HasSubstr("CUT SEGMENTS"));
  EXPECT_THAT(outcome.error, HasSubstr("DIAMETER"));
  EXPECT_EQ(ReadAll(output_), "earlier program");
}

TEST_F(CliRunTest, AtAngleThatIsNoNumberIsRefused) {
  expectFailure(run({"--at-angle", "1e999", project_, output_}), 1, "korvex-cli: job refused: ");
  expectFailure(run({"--at-angle", "1e308", project_, output_}), 1,
                "korvex-cli: job refused: AT ANGLE is too large");
  EXPECT_FALSE(fs::exists(output_));
}

TEST_F(CliRunTest, AxisLetterMustBeOneLetter) {
  for (std::string_view letter : {"AB", "", "1"}) {
    const CliOutcome outcome = run({"--axis-letter", letter, project_, output_});
    expectFailure(outcome, 1, "korvex-cli: program not written: ");
    EXPECT_THAT(outcome.error, HasSubstr("ANGLE LETTER"));
    EXPECT_FALSE(fs::exists(output_));
  }
}

TEST_F(CliRunTest, UnreadableProjectWritesNothing) {
  const std::string folderProject = (folder_ / "folder.kvx").string();
  fs::create_directory(folderProject);
  for (const std::string& project : {(folder_ / "missing.kvx").string(), folderProject}) {
    const CliOutcome outcome = run({project, output_});
    expectFailure(outcome, 1, "korvex-cli: project not opened: ");
    EXPECT_THAT(outcome.error, HasSubstr(project));
    EXPECT_FALSE(fs::exists(output_));
  }
}

TEST_F(CliRunTest, TheProjectItselfIsNeverTheOutput) {
  const std::string before = ReadAll(project_);
  const std::string link = folder_.file("link.ngc");
  fs::create_symlink(project_, link);
  const std::string hardLink = folder_.file("hard.ngc");
  fs::create_hard_link(project_, hardLink);
  for (const std::string& output : {project_, link, hardLink, folder_.file("./frame.kvx")}) {
    expectFailure(run({project_, output}), 1, "korvex-cli: program not written: ");
    EXPECT_EQ(ReadAll(project_), before) << output;
  }
}

TEST_F(CliRunTest, UnwritableOutputIsReported) {
  const std::string folderOutput = (folder_ / "folder.ngc").string();
  fs::create_directory(folderOutput);
  for (const std::string& output :
       {(folder_ / "missing" / "frame.ngc").string(), folderOutput, std::string("/dev/full")}) {
    expectFailure(run({project_, output}), 1, "korvex-cli: program not written: ");
  }
  EXPECT_TRUE(fs::is_directory(folderOutput));
  EXPECT_TRUE(fs::is_empty(folderOutput));
}

}  // namespace
}  // namespace korvex
