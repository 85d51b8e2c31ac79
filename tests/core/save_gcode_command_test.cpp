#include "app/save_gcode_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "app/prompts.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "gcode/gcode_writer.h"
#include "recording_prompts.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;

// A small valid job, as a rebuild would leave it.
Workspace JobWorkspace(const std::string& axisLetter = "A") {
  Workspace workspace;
  workspace.projectPath = "/jobs/FRAME.kvx";
  JobParameters& parameters = workspace.job.parameters;
  parameters.cutSegments = 4;
  parameters.mainDiameter = 40;
  parameters.mainRadius = 20;
  parameters.axisLetter = axisLetter;
  for (int i = 0; i <= 4; ++i) {
    workspace.job.left.path.x[i] = -100 - i;
    workspace.job.left.path.y[i] = 62.832 - 31.416 * i;
    workspace.job.right.path.x[i] = 100 + i;
    workspace.job.right.path.y[i] = 62.832 - 31.416 * i;
    workspace.job.right.path.z[i] = 0.5;
  }
  return workspace;
}

using test::ReadAll;

MATCHER_P2(IsNotice, text, icon, "") {
  return arg.title == "KORVEX" && arg.text == text && arg.icon == icon;
}

class SaveGcodeCommandTest : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(prompts_.openPrompts.empty()) << "SAVE G CODE showed an open prompt";
  }

  std::string Path(const std::string& name) const { return folder_.file(name); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempFolder folder_;
  RecordingPrompts prompts_;
};

struct NameCase {
  std::string projectPath;
  std::string proposed;
};

class SaveGcodeNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(SaveGcodeNameTest, ProposesTheProjectNameWithNgc) {
  RecordingPrompts prompts;
  Workspace workspace = JobWorkspace();
  workspace.projectPath = GetParam().projectPath;
  EXPECT_EQ(SaveGcodeCommand(prompts, workspace), CommandOutcome::Cancelled);
  ASSERT_EQ(prompts.savePrompts.size(), 1u);
  EXPECT_EQ(prompts.savePrompts[0].proposedPath, GetParam().proposed);
}

INSTANTIATE_TEST_SUITE_P(
    Projects, SaveGcodeNameTest,
    testing::Values(NameCase{"/home/op/KORVEX/Projects/FRAME.kvx", "FRAME.ngc"},
                    NameCase{"C:\\JOBS\\FRAME.kvx", "FRAME.ngc"},
                    NameCase{"/jobs/FRAME", "FRAME.ngc"},
                    NameCase{"/my.jobs/v1.2/PART.kvx", "PART.ngc"},
                    NameCase{"C:\\MY.JOBS\\PART.kvx", "PART.ngc"},
                    NameCase{"/jobs/PART.V2.kvx", "PART.ngc"},
                    NameCase{"/jobs/.hidden.kvx", "korvex.ngc"}, NameCase{"", "korvex.ngc"},
                    NameCase{"korvex.kvx", "korvex.ngc"}, NameCase{"/jobs/", "korvex.ngc"}));

TEST_F(SaveGcodeCommandTest, ThePromptIsTheDescribedOne) {
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Cancelled);
  ASSERT_EQ(prompts_.savePrompts.size(), 1u);
  const FilePrompt& prompt = prompts_.savePrompts[0];
  EXPECT_EQ(prompt.caption, "Save GCODE");
  EXPECT_EQ(prompt.initialFolder, ProgramFolder() + "GCODE");
  // The described program is the first type and the one selected; machine profiles follow,
  // then the templates and the flat pattern.
  EXPECT_THAT(prompt.filter, StartsWith("NGC(*.NGC)|*.NGC|"));
  EXPECT_EQ(prompt.selectedType, 0u);
  EXPECT_THAT(
      prompt.filter,
      EndsWith("Template PDF, A4 portrait(*.pdf)|*.pdf|Template PDF, A4 landscape(*.pdf)|*.pdf|"
               "Template PDF, Letter portrait(*.pdf)|*.pdf|"
               "Template PDF, Letter landscape(*.pdf)|*.pdf|"
               "Template SVG(*.svg)|*.svg|Flat pattern DXF(*.dxf)|*.dxf|"));
  EXPECT_EQ(prompt.defaultExtension, "ngc");
}

struct ShopTypeCase {
  std::size_t type;
  const char* file;
  const char* start;
  const char* notice;
};

class SaveGcodeShopTypes : public SaveGcodeCommandTest,
                           public testing::WithParamInterface<ShopTypeCase> {};

TEST_P(SaveGcodeShopTypes, TheChosenTypeWritesItsOutputWithItsNotice) {
  const ShopTypeCase& c = GetParam();
  Workspace workspace = JobWorkspace();
  prompts_.saveAnswer = Path(c.file);
  prompts_.saveTypeAnswer = c.type;
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Done);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, c.notice);
  EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(test::ReadAll(Path(c.file)).rfind(c.start, 0), 0u);
  EXPECT_EQ(workspace.cutObjectCount, 0);  // no program was written
}

INSTANTIATE_TEST_SUITE_P(
    Types, SaveGcodeShopTypes,
    testing::Values(ShopTypeCase{3, "a4.pdf", "%PDF-1.4", "TEMPLATE SAVED OK"},
                    ShopTypeCase{6, "letter.pdf", "%PDF-1.4", "TEMPLATE SAVED OK"},
                    ShopTypeCase{7, "sheet.svg", "<?xml", "TEMPLATE SAVED OK"},
                    ShopTypeCase{8, "pattern.dxf", "0\r\nSECTION", "DXF SAVED OK"}));

TEST_F(SaveGcodeCommandTest, AnAbsurdTemplateIsRefusedAndNothingWritten) {
  Workspace workspace = JobWorkspace();
  workspace.job.left.surfaces.inner[3] = std::numeric_limits<double>::infinity();
  prompts_.saveAnswer = Path("bad.pdf");
  prompts_.saveTypeAnswer = 3;
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Refused);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            "TEMPLATE NOT SAVED: the job has values that are not finite");
  EXPECT_FALSE(std::filesystem::exists(Path("bad.pdf")));
}

TEST_F(SaveGcodeCommandTest, CancelEndsSilently) {
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Cancelled);
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_EQ(workspace.cutObjectCount, 0);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SaveGcodeCommandTest, AnEmptyPathSavesNothing) {
  prompts_.saveAnswer = "";
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Cancelled);
  EXPECT_THAT(prompts_.messages, ElementsAre(IsNotice("NOTHING SAVED", MessageIcon::Information)));
  EXPECT_TRUE(prompts_.questions.empty());
}

TEST_F(SaveGcodeCommandTest, WritesTheProgramOfTheLastJob) {
  prompts_.saveAnswer = Path("FRAME.ngc");
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Done);
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_THAT(prompts_.messages,
              ElementsAre(IsNotice("G CODE SAVED OK", MessageIcon::Information)));
  EXPECT_EQ(workspace.cutObjectCount, 2);
  const std::string program = ReadAll(Path("FRAME.ngc"));
  EXPECT_EQ(program, FormatGcodeProgram(workspace.job, {workspace.projectPath, "A", 40, 2}));
  EXPECT_THAT(program, HasSubstr("\r\n(Objects)\r\n(002)\r\n"));
  EXPECT_THAT(program, HasSubstr("(Begin        /jobs/FRAME.kvx"));
  EXPECT_THAT(Entries(), ElementsAre("FRAME.ngc"));
}

// Holes are objects 3 on, announced in the header, each with its own points.
TEST_F(SaveGcodeCommandTest, WritesTheHolesAfterTheEnds) {
  prompts_.saveAnswer = Path("TEE.ngc");
  Workspace workspace;
  workspace.projectPath = "/jobs/TEE.kvxp";
  JobParameters job = DefaultJob();
  job.cutSegments = 4;
  for (const double at : {-40.0, 40.0}) {
    HoleParameters hole;
    hole.at = at;
    hole.branchRadius = 10;
    hole.branchWall = 2;
    job.holes.push_back(hole);
  }
  workspace.job = *ComputeJob(job, 180).job;
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Done);
  EXPECT_EQ(workspace.cutObjectCount, 4);
  const std::string program = ReadAll(Path("TEE.ngc"));
  EXPECT_THAT(program, HasSubstr("\r\n(Objects)\r\n(004)\r\n"));
  // The second hole's step 0 lies on the branch's bore at its +X side: X 40 + 8.
  EXPECT_THAT(program, HasSubstr("M5\r\n(Object)\r\n(004)\r\n(005)\r\nG0 X 48.000 Y 0.000 A 0.000\r\n"));
}

TEST_F(SaveGcodeCommandTest, DecliningTheOverwriteKeepsTheOldFile) {
  const std::string old = std::string("OLD PROGRAM\r\n\0\xff", 15);
  std::ofstream(Path("FRAME.ngc"), std::ios::binary) << old;
  prompts_.saveAnswer = Path("FRAME.ngc");
  prompts_.overwriteAnswer = false;
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Cancelled);
  ASSERT_EQ(prompts_.questions.size(), 1u);
  EXPECT_EQ(prompts_.questions[0].title, "Critical Warning");
  EXPECT_EQ(prompts_.questions[0].text, "FILE EXIST - DO YOU WANT TO OVERWRITE ?");
  EXPECT_THAT(prompts_.messages, ElementsAre(IsNotice("NOTHING SAVED", MessageIcon::Information)));
  EXPECT_EQ(ReadAll(Path("FRAME.ngc")), old);
  EXPECT_THAT(Entries(), ElementsAre("FRAME.ngc"));
}

TEST_F(SaveGcodeCommandTest, AcceptingTheOverwriteReplacesTheFile) {
  std::ofstream(Path("FRAME.ngc"), std::ios::binary) << std::string(200000, 'o');
  prompts_.saveAnswer = Path("FRAME.ngc");
  prompts_.overwriteAnswer = true;
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Done);
  EXPECT_EQ(prompts_.questions.size(), 1u);
  EXPECT_THAT(prompts_.messages,
              ElementsAre(IsNotice("G CODE SAVED OK", MessageIcon::Information)));
  EXPECT_EQ(ReadAll(Path("FRAME.ngc")),
            FormatGcodeProgram(workspace.job, {workspace.projectPath, "A", 40, 2}));
  EXPECT_THAT(Entries(), ElementsAre("FRAME.ngc"));
}

TEST_F(SaveGcodeCommandTest, AnExistingFolderIsAskedAboutThenRefused) {
  fs::create_directory(Path("FRAME.ngc"));
  std::ofstream(Path("FRAME.ngc/inside.txt")) << "keep";
  prompts_.saveAnswer = Path("FRAME.ngc");
  prompts_.overwriteAnswer = true;
  Workspace workspace = JobWorkspace();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Failed);
  EXPECT_EQ(prompts_.questions.size(), 1u);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].title, "KORVEX");
  EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(prompts_.messages[0].text, "G CODE NOT SAVED: " + Path("FRAME.ngc") + " is a folder");
  EXPECT_TRUE(fs::is_directory(Path("FRAME.ngc")));
  EXPECT_EQ(ReadAll(Path("FRAME.ngc/inside.txt")), "keep");
  EXPECT_THAT(Entries(), ElementsAre("FRAME.ngc"));
}

struct UnwritableCase {
  const char* name;
  std::string path;  // "@" stands for the test's folder
  bool exists;       // the overwrite question comes first
  const char* reasonPart;
};

void PrintTo(const UnwritableCase& c, std::ostream* out) {
  *out << c.name;
}

class SaveGcodeUnwritableTest : public SaveGcodeCommandTest,
                                public testing::WithParamInterface<UnwritableCase> {};

TEST_P(SaveGcodeUnwritableTest, ReportsTheReasonAndNeverSavedOk) {
  std::ofstream(Path("file.txt")) << "keep";
  std::string path = GetParam().path;
  if (path.starts_with("@")) path = folder_.path().string() + path.substr(1);
  prompts_.saveAnswer = path;
  prompts_.overwriteAnswer = true;
  Workspace workspace = JobWorkspace();

  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Failed);
  EXPECT_EQ(prompts_.questions.size(), GetParam().exists ? 1u : 0u);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  const RecordingPrompts::Message& shown = prompts_.messages[0];
  EXPECT_EQ(shown.title, "KORVEX");
  EXPECT_EQ(shown.icon, MessageIcon::Error);
  EXPECT_THAT(shown.text, StartsWith("G CODE NOT SAVED: "));
  EXPECT_THAT(shown.text, HasSubstr(GetParam().reasonPart));
  EXPECT_THAT(Entries(), ElementsAre("file.txt"));
  EXPECT_EQ(ReadAll(Path("file.txt")), "keep");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SaveGcodeUnwritableTest,
    testing::Values(
        UnwritableCase{"MissingFolder", "@/missing/out.ngc", false, "cannot create a file in"},
        UnwritableCase{"UnderARegularFile", "@/file.txt/out.ngc", false, "Not a directory"},
        UnwritableCase{"ReadOnlyFileSystem", "/proc/out.ngc", false, "cannot create a file in"},
        UnwritableCase{"DevFull", "/dev/full", true, "/dev/full is a device"}),
    [](const testing::TestParamInfo<UnwritableCase>& info) { return info.param.name; });

struct LetterCase {
  std::string letter;
  bool accepted;
  std::string shown = letter;  // as the message shows it
};

class SaveGcodeLetterTest : public SaveGcodeCommandTest,
                            public testing::WithParamInterface<LetterCase> {};

TEST_P(SaveGcodeLetterTest, OnlyATiltAxisLetterIsWritten) {
  prompts_.saveAnswer = Path("out.ngc");
  Workspace workspace = JobWorkspace(GetParam().letter);
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace),
            GetParam().accepted ? CommandOutcome::Done : CommandOutcome::Refused);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  if (GetParam().accepted) {
    EXPECT_THAT(prompts_.messages[0], IsNotice("G CODE SAVED OK", MessageIcon::Information));
    // Blanks around the letter stay as typed.
    EXPECT_THAT(ReadAll(Path("out.ngc")),
                HasSubstr("G0 X -100.000 Y 62.832 " + GetParam().letter + " 0.000\r\n"));
  } else {
    EXPECT_TRUE(prompts_.savePrompts.empty());
    EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.messages[0].text, "G CODE NOT SAVED: ANGLE LETTER \"" + GetParam().shown +
                                             "\" must be one of Z, A, B, C, U, V, W");
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(workspace.cutObjectCount, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, SaveGcodeLetterTest,
    testing::Values(LetterCase{"A", true}, LetterCase{"Z", true}, LetterCase{"b", true},
                    LetterCase{"C", true}, LetterCase{"u", true}, LetterCase{"V", true},
                    LetterCase{"W", true}, LetterCase{" B ", true}, LetterCase{"  c", true},
                    LetterCase{"", false}, LetterCase{"   ", false}, LetterCase{"X", false},
                    LetterCase{"y", false}, LetterCase{"F", false}, LetterCase{"S", false},
                    LetterCase{"G", false}, LetterCase{"M", false}, LetterCase{"AB", false},
                    LetterCase{"A B", false}, LetterCase{"1", false},
                    LetterCase{"\tA", false, "\\tA"}, LetterCase{"A\r\nM2", false, "A\\r\\nM2"},
                    LetterCase{"\xC4", false}, LetterCase{"(A)", false}));

TEST_F(SaveGcodeCommandTest, AJobThatCannotBeWrittenIsRefusedBeforeThePrompt) {
  prompts_.saveAnswer = Path("out.ngc");
  Workspace workspace = JobWorkspace();
  workspace.job.right.path.y[3] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(SaveGcodeCommand(prompts_, workspace), CommandOutcome::Refused);
  EXPECT_TRUE(prompts_.savePrompts.empty());
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            "G CODE NOT SAVED: the RIGHT CUT point 3 is not a finite number");
  EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SaveGcodeCommandTest, SavingTwiceAsksTheSecondTime) {
  prompts_.saveAnswer = Path("twice.ngc");
  prompts_.overwriteAnswer = true;
  Workspace workspace = JobWorkspace();
  SaveGcodeCommand(prompts_, workspace);
  workspace.job.left.path.x[0] = -999.5;
  SaveGcodeCommand(prompts_, workspace);
  EXPECT_EQ(prompts_.questions.size(), 1u);
  EXPECT_THAT(prompts_.messages,
              ElementsAre(IsNotice("G CODE SAVED OK", MessageIcon::Information),
                          IsNotice("G CODE SAVED OK", MessageIcon::Information)));
  EXPECT_THAT(ReadAll(Path("twice.ngc")), HasSubstr("G0 X -999.500 Y 62.832 A 0.000\r\n"));
}

}  // namespace
}  // namespace korvex
