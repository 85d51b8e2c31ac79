// SAVE G CODE writes the program of the file type the operator chose in its prompt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/rebuild_scene.h"
#include "app/save_gcode_command.h"
#include "app/workspace.h"
#include "config_home.h"
#include "recording_prompts.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;
using testing::HasSubstr;
using testing::StartsWith;

class SaveGcodeMachineTest : public testing::Test {
 protected:
  fs::path machines() const { return configHome_.machines(); }

  // The default job (its left end tilted when asked), the tilt on letter, saved as type.
  CommandOutcome Save(const char* letter, std::size_t type, bool tilted = false) {
    MemoryPanel panel;
    panel.setText(kAngleLetterField, letter);
    if (tilted) panel.setCheckState(kLeftMode3dBox, 1);
    EXPECT_TRUE(RebuildScene(panel, workspace_).empty());
    prompts_.saveAnswer = output_;
    prompts_.saveTypeAnswer = type;
    return SaveGcodeCommand(prompts_, workspace_);
  }

  test::TempFolder folder_{"korvex-save-machine"};
  test::ConfigHome configHome_{folder_};
  std::string output_ = folder_.file("part.ngc");
  RecordingPrompts prompts_;
  Workspace workspace_;
};

TEST_F(SaveGcodeMachineTest, OffersEachProfileWithItsExtensionAndRemembersTheChoice) {
  WriteAll(machines() / "shop.machine", "title = shop rotary\naxes = degrees\n");
  Save("B", 0);
  ASSERT_EQ(prompts_.savePrompts.size(), 1u);
  const FilePrompt& prompt = prompts_.savePrompts[0];
  // The machines first; the templates and the flat pattern follow them.
  EXPECT_EQ(
      prompt.filter.rfind(
          "NGC(*.NGC)|*.NGC|G-code, rotary A in degrees|*.ngc|G-code, plasma controller|*.ngc|"
          "G-code, shop rotary|*.ngc|Template PDF",
          0),
      0u);
  ASSERT_GE(prompt.typeExtensions.size(), 4u);
  EXPECT_EQ(
      std::vector<std::string>(prompt.typeExtensions.begin(), prompt.typeExtensions.begin() + 4),
      (std::vector<std::string>{"ngc", "ngc", "ngc", "ngc"}));
  EXPECT_FALSE(prompt.rememberTypeAs.empty());
}

struct ChoiceCase {
  const char* name;
  const char* letter;
  std::size_t type;
  const char* marker;  // a line of the written program
};

class SaveGcodeChoiceTest : public SaveGcodeMachineTest,
                            public testing::WithParamInterface<ChoiceCase> {};

TEST_P(SaveGcodeChoiceTest, WritesTheChosenProfilesProgram) {
  EXPECT_EQ(Save(GetParam().letter, GetParam().type), CommandOutcome::Done);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, "G CODE SAVED OK");
  EXPECT_THAT(ReadAll(output_), HasSubstr(GetParam().marker));
}

INSTANTIATE_TEST_SUITE_P(
    Types, SaveGcodeChoiceTest,
    testing::Values(ChoiceCase{"described", "A", 0, "\r\nG1 X -119.951 Y 61.436 A 0.000\r\n"},
                    ChoiceCase{"rotary", "B", 1, "\r\n(Machine rotary A in degrees)\r\n"},
                    ChoiceCase{"plasma", "A", 2, "\r\n(Machine plasma controller)\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The rotary machine tilts on its own axis whatever ANGLE LETTER says; the plasma machine has no
// tilt axis, so a job that tilts is refused before the operator is asked anything.
TEST_F(SaveGcodeMachineTest, EachMachineTiltsOnItsOwnAxisOrRefusesTheTilt) {
  EXPECT_EQ(Save("A", 1, true), CommandOutcome::Done);
  EXPECT_THAT(ReadAll(output_), HasSubstr("\r\nG0 X 0.000 A 0.000 B 0.000\r\n"));
  WriteAll(output_, "old");
  prompts_.messages.clear();
  EXPECT_EQ(Save("A", 2, true), CommandOutcome::Refused);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            "G CODE NOT SAVED: 3D MODE tilts the torch, and the machine plasma controller has no "
            "tilt axis (its profile's tilt-axis is none)");
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_EQ(ReadAll(output_), "old");
}

TEST_F(SaveGcodeMachineTest, AProfileWithMistakesSaysWhereAndWritesNothing) {
  WriteAll(machines() / "bad.machine", "title = bad\nfeed = fast\n");
  EXPECT_EQ(Save("B", 3), CommandOutcome::Refused);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            "G CODE NOT SAVED: " + (machines() / "bad.machine").string() +
                ":2: feed \"fast\" is not a number");
  EXPECT_FALSE(fs::exists(output_));
}

}  // namespace
}  // namespace korvex
