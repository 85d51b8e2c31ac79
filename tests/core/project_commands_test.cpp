#include "app/part_panel.h"
#include "app/project_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "panel_project_lines.h"
#include "project/part_file.h"
#include "project/project_file.h"
#include "recording_prompts.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;

const std::string kDefaultProject =
    "\r\n90\r\n40\r\n4\r\n-100\r\n40\r\n45\r\n0\r\n100\r\n40\r\n45\r\n0\r\n"
    " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";

using test::ReadAll;
using test::WriteAll;

class ProjectCommandsTest : public testing::Test {
 protected:
  std::string pathOf(const std::string& name) const { return folder_.file(name); }

  void expectOnlyMessage(const std::string& text, MessageIcon icon) const {
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].title, "KORVEX");
    EXPECT_EQ(prompts_.messages[0].text, text);
    EXPECT_EQ(prompts_.messages[0].icon, icon);
  }

  void expectOnlyError(const std::string& prefix) const {
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].title, "KORVEX");
    EXPECT_THAT(prompts_.messages[0].text, StartsWith(prefix));
    EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
  }

  test::TempFolder folder_{"korvex-project-commands"};
  MemoryPanel panel_;
  RecordingPrompts prompts_;
  Workspace workspace_;
};

TEST_F(ProjectCommandsTest, SavePromptProposesTheDefaultName) {
  SaveProject(panel_, prompts_, workspace_);
  ASSERT_EQ(prompts_.savePrompts.size(), 1u);
  const FilePrompt& prompt = prompts_.savePrompts[0];
  EXPECT_EQ(prompt.caption, "Save Project");
  EXPECT_EQ(prompt.proposedPath, "korvex.kvx");
  EXPECT_EQ(prompt.initialFolder, ProgramFolder() + "Projects");
  EXPECT_EQ(prompt.filter, "KVX(*.KVX)|*.KVX|Part file(*.kvxp)|*.kvxp|");
  EXPECT_EQ(prompt.defaultExtension, "kvx");
}

TEST_F(ProjectCommandsTest, CancelledFirstSaveKeepsTheDefaultName) {
  SaveProject(panel_, prompts_, workspace_);
  EXPECT_EQ(workspace_.projectPath, "korvex.kvx");
  EXPECT_EQ(panel_.title(), "KORVEX 2014");
  EXPECT_TRUE(prompts_.messages.empty());

  OpenProject(panel_, prompts_, workspace_);
  ASSERT_EQ(prompts_.openPrompts.size(), 1u);
  EXPECT_EQ(prompts_.openPrompts[0].proposedPath, "korvex.kvx");
}

TEST_F(ProjectCommandsTest, SaveWritesTheFileAndNamesItInTheTitle) {
  const std::string path = pathOf("frame.kvx");
  prompts_.saveAnswer = path;
  SaveProject(panel_, prompts_, workspace_);
  EXPECT_EQ(ReadAll(path), kDefaultProject);
  EXPECT_EQ(workspace_.projectPath, path);
  EXPECT_EQ(panel_.title(), "KVX - " + path);
  EXPECT_TRUE(prompts_.questions.empty());
  expectOnlyMessage("PROJECT SAVED OK", MessageIcon::Information);
}

// A part file opens into the panel and its holes; SAVE writes it back as a part file, and
// refuses to drop its hole into a .kvx project.
TEST_F(ProjectCommandsTest, PartFileOpensAndSavesOnlyAsAPartFile) {
  const std::string part = pathOf("Tee.KVXP");
  WriteAll(part, "[tube]\ndiameter = 60.3\n[[hole]]\nbranch-diameter = 30\n");
  prompts_.openAnswer = part;
  ASSERT_EQ(OpenProject(panel_, prompts_, workspace_), CommandOutcome::Done);
  EXPECT_EQ(panel_.text(kMainDiameterField), "60.3");
  EXPECT_EQ(workspace_.job.holes.size(), 1u);

  const std::string project = pathOf("tee.kvx");
  prompts_.saveAnswer = project;
  EXPECT_EQ(SaveProject(panel_, prompts_, workspace_), CommandOutcome::Refused);
  EXPECT_FALSE(fs::exists(project));
  EXPECT_EQ(panel_.title(), "KVX - " + part);
  expectOnlyError(
      "PROJECT NOT SAVED: the part has offsets, an inside fit or holes, which a .kvx project "
      "cannot hold; save it as a Part file (*.kvxp)");

  const std::string copy = pathOf("copy.kvxp");
  prompts_.saveAnswer = copy;
  prompts_.messages.clear();
  EXPECT_EQ(SaveProject(panel_, prompts_, workspace_), CommandOutcome::Done);
  EXPECT_EQ(prompts_.savePrompts.back().selectedType, 1u);
  EXPECT_EQ(ReadAll(copy), FormatPartFile(PartFromPanel(panel_, workspace_.part)).bytes);
  EXPECT_THAT(ReadAll(copy), HasSubstr("[[hole]]\nat = 0\nturn = 0\nbranch-diameter = 30\n"));
}

TEST_F(ProjectCommandsTest, SavingAgainAsksBeforeOverwriting) {
  const std::string path = pathOf("frame.kvx");
  prompts_.saveAnswer = path;
  SaveProject(panel_, prompts_, workspace_);
  panel_.setText(kCutSegmentsField, "36");
  prompts_.overwriteAnswer = true;
  prompts_.messages.clear();
  SaveProject(panel_, prompts_, workspace_);

  ASSERT_EQ(prompts_.savePrompts.size(), 2u);
  EXPECT_EQ(prompts_.savePrompts[1].proposedPath, path);
  ASSERT_EQ(prompts_.questions.size(), 1u);
  EXPECT_EQ(prompts_.questions[0].title, "Critical Warning");
  EXPECT_EQ(prompts_.questions[0].text, "FILE EXIST - DO YOU WANT TO OVERWRITE ?");
  EXPECT_THAT(ReadAll(path), StartsWith("\r\n36\r\n"));
  expectOnlyMessage("PROJECT SAVED OK", MessageIcon::Information);
}

TEST_F(ProjectCommandsTest, DeclinedOverwriteKeepsTheFileButTakesTheName) {
  const std::string path = pathOf("old.kvx");
  WriteAll(path, "old contents");
  prompts_.saveAnswer = path;
  prompts_.overwriteAnswer = false;
  SaveProject(panel_, prompts_, workspace_);
  EXPECT_EQ(ReadAll(path), "old contents");
  EXPECT_EQ(workspace_.projectPath, path);
  EXPECT_EQ(panel_.title(), "KVX - " + path);
  EXPECT_EQ(prompts_.questions.size(), 1u);
  expectOnlyMessage("NOTHING SAVED", MessageIcon::Information);
}

TEST_F(ProjectCommandsTest, FailedSaveIsReportedWithTheReason) {
  const std::string path = pathOf("missing-folder/frame.kvx");
  prompts_.saveAnswer = path;
  SaveProject(panel_, prompts_, workspace_);
  expectOnlyError("PROJECT NOT SAVED: ");
  EXPECT_THAT(prompts_.messages[0].text, HasSubstr("missing-folder"));
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(ProjectCommandsTest, SavingOverAFolderLeavesTheFolder) {
  const std::string path = pathOf("folder.kvx");
  fs::create_directory(path);
  prompts_.saveAnswer = path;
  prompts_.overwriteAnswer = true;
  SaveProject(panel_, prompts_, workspace_);
  expectOnlyError("PROJECT NOT SAVED: ");
  EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(ProjectCommandsTest, TextThatCannotBeStoredIsRefusedBeforeTheQuestion) {
  const std::string path = pathOf("old.kvx");
  WriteAll(path, "old contents");
  panel_.setText(kThicknessField, "\"4,0\"");
  prompts_.saveAnswer = path;
  prompts_.overwriteAnswer = true;
  SaveProject(panel_, prompts_, workspace_);
  expectOnlyError("PROJECT NOT SAVED: ");
  EXPECT_THAT(prompts_.messages[0].text, HasSubstr("MAIN TUBE THICKNESS"));
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_EQ(ReadAll(path), "old contents");
}

TEST_F(ProjectCommandsTest, OpenPromptProposesTheCurrentProject) {
  workspace_.projectPath = "/jobs/frame.kvx";
  OpenProject(panel_, prompts_, workspace_);
  ASSERT_EQ(prompts_.openPrompts.size(), 1u);
  const FilePrompt& prompt = prompts_.openPrompts[0];
  EXPECT_EQ(prompt.caption, "Open Project");
  EXPECT_EQ(prompt.proposedPath, "/jobs/frame.kvx");
  EXPECT_EQ(prompt.initialFolder, ProgramFolder() + "Projects");
  EXPECT_EQ(prompt.filter, "KVX(*.kvx)|*.kvx|Part file(*.kvxp)|*.kvxp|");
  EXPECT_EQ(prompt.defaultExtension, "");
}

TEST_F(ProjectCommandsTest, CancelledOpenChangesNothing) {
  panel_.setText(kXLengthField, "untouched");
  EXPECT_NE(CommandOutcome::Done, OpenProject(panel_, prompts_, workspace_));
  EXPECT_EQ(panel_.title(), "KORVEX 2014");
  EXPECT_EQ(workspace_.projectPath, "");
  EXPECT_EQ(panel_.text(kXLengthField), "untouched");
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(ProjectCommandsTest, OpenFillsThePanelAndRebuilds) {
  const std::string path = pathOf("long.kvx");
  WriteAll(path,
           "\r\n36\r\n40\r\n4\r\n-150\r\n40\r\n45\r\n0\r\n100\r\n40\r\n45\r\n0\r\n"
           " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n 0\r\n");
  panel_.setText(kAngleLetterField, "B");
  prompts_.openAnswer = path;
  EXPECT_EQ(CommandOutcome::Done, OpenProject(panel_, prompts_, workspace_));
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(workspace_.projectPath, path);
  EXPECT_EQ(panel_.title(), "KVX - " + path);
  EXPECT_EQ(panel_.text(kCutSegmentsField), "36");
  EXPECT_EQ(panel_.text(kLeftDistanceField), "-150");
  EXPECT_EQ(panel_.checkState(kRightCompensationBox), 1);
  EXPECT_EQ(panel_.text(kAngleLetterField), "B");
  EXPECT_EQ(workspace_.job.parameters.cutSegments, 36);
  // 150 + 100 plus the 45-degree cuts' reach: 20 on the left, and 16 on the compensated right,
  // which follows the inner wall.
  EXPECT_EQ(panel_.text(kXLengthField), "286.000");
}

TEST_F(ProjectCommandsTest, SavedProjectOpensIntoAFreshPanel) {
  const std::string path = pathOf("round.kvx");
  panel_.setText(kRightAngleField, "30");
  panel_.setText(kLeftDiameterField, "4,8");  // stored between quotes
  panel_.setCheckState(kRightCutOvalBox, 1);
  prompts_.saveAnswer = path;
  SaveProject(panel_, prompts_, workspace_);

  MemoryPanel fresh;
  Workspace freshWorkspace;
  prompts_.openAnswer = path;
  OpenProject(fresh, prompts_, freshWorkspace);
  for (const test::PanelProjectLine& line : test::PanelProjectLines()) {
    EXPECT_EQ(fresh.text(line.controlId), panel_.text(line.controlId)) << line.name;
    EXPECT_EQ(fresh.checkState(line.controlId), panel_.checkState(line.controlId)) << line.name;
  }
}

TEST_F(ProjectCommandsTest, EmptyFileEmptiesTheFieldsAndTheJobIsRefused) {
  const std::string path = pathOf("empty.kvx");
  WriteAll(path, "");
  panel_.setCheckState(kLeftCutOvalBox, 1);
  prompts_.openAnswer = path;
  EXPECT_NE(CommandOutcome::Done, OpenProject(panel_, prompts_, workspace_));
  EXPECT_EQ(panel_.title(), "KVX - " + path);
  EXPECT_EQ(panel_.text(kMainDiameterField), "");
  EXPECT_EQ(panel_.checkState(kLeftCutOvalBox), 0);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Warning);
}

class UnreadableProjectTest : public ProjectCommandsTest,
                              public testing::WithParamInterface<const char*> {
 protected:
  // Makes the path unreadable in the way the parameter names.
  std::string prepare(const std::string& kind) {
    const std::string path = pathOf("project.kvx");
    if (kind == "folder") fs::create_directory(path);
    if (kind == "too_large") {
      std::ofstream out(path, std::ios::binary);
      out.seekp(16 * 1024 * 1024);
      out.put('\n');
    }
    return kind == "device" ? "/dev/zero" : path;
  }
};

TEST_P(UnreadableProjectTest, ChangesNothingAndSaysWhy) {
  const std::string path = prepare(GetParam());
  workspace_.projectPath = "/jobs/frame.kvx";
  panel_.setTitle("KVX - /jobs/frame.kvx");
  panel_.setText(kXLengthField, "untouched");
  const std::string before = FormatProjectFile(ProjectFieldsFromPanel(panel_)).bytes;

  prompts_.openAnswer = path;
  EXPECT_NE(CommandOutcome::Done, OpenProject(panel_, prompts_, workspace_));
  expectOnlyError("PROJECT NOT OPENED: ");
  EXPECT_THAT(prompts_.messages[0].text, HasSubstr(path));
  EXPECT_EQ(FormatProjectFile(ProjectFieldsFromPanel(panel_)).bytes, before);
  EXPECT_EQ(panel_.text(kXLengthField), "untouched");
  EXPECT_EQ(workspace_.projectPath, "/jobs/frame.kvx");
  EXPECT_EQ(panel_.title(), "KVX - /jobs/frame.kvx");
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableProjectTest,
                         testing::Values("missing", "folder", "too_large", "device"));

}  // namespace
}  // namespace korvex
