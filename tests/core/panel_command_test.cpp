#include "shell/panel_command.h"

#include <gtest/gtest.h>

#include "geometry/rebuild_scene.h"
#include "recording_prompts.h"
#include "shell/control_ids.h"
#include "shell/memory_panel.h"
#include "shell/workspace.h"

namespace korvex {
namespace {

struct RecordingHost : CommandHost {
  int shown = 0;
  int ended = 0;
  void showRebuiltScene() override { ++shown; }
  void endProgram() override { ++ended; }
};

constexpr unsigned kCommand = 273;

std::uintptr_t Click(int id, unsigned notification = 0) {
  return static_cast<std::uintptr_t>(id) | notification << 16;
}

struct DispatchCase {
  const char* name;
  unsigned message;
  std::uintptr_t wParam;
  int shown, ended;
  std::size_t openPrompts, savePrompts;
};

class PanelCommandTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(PanelCommandTest, Dispatches) {
  const DispatchCase& c = GetParam();
  MemoryPanel panel;
  RecordingPrompts prompts;
  Workspace workspace;
  RecordingHost host;
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  PanelCommand(c.message, c.wParam, panel, prompts, workspace, host);
  EXPECT_EQ(host.shown, c.shown);
  EXPECT_EQ(host.ended, c.ended);
  EXPECT_EQ(prompts.openPrompts.size(), c.openPrompts);
  EXPECT_EQ(prompts.savePrompts.size(), c.savePrompts);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, PanelCommandTest,
    ::testing::Values(
        DispatchCase{"UpdateParams", kCommand, Click(kUpdateParamsButton), 1, 0, 0, 0},
        DispatchCase{"NotificationOne", kCommand, Click(kUpdateParamsButton, 1), 1, 0, 0, 0},
        DispatchCase{"EditNotification", kCommand, Click(kUpdateParamsButton, 0x300), 0, 0, 0, 0},
        DispatchCase{"PaintNotice", 1254, Click(kUpdateParamsButton), 0, 0, 0, 0},
        DispatchCase{"CancelledOpen", kCommand, Click(kOpenButton), 0, 0, 1, 0},
        DispatchCase{"CancelledSave", kCommand, Click(kSaveButton), 0, 0, 0, 1},
        DispatchCase{"CancelledGcode", kCommand, Click(kSaveGcodeButton), 0, 0, 0, 1},
        DispatchCase{"Exit", kCommand, Click(kExitButton), 0, 1, 0, 0},
        DispatchCase{"CheckBox", kCommand, Click(kDisplayGridBox), 0, 0, 0, 0},
        DispatchCase{"Field", kCommand, Click(kMainDiameterField), 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelCommandRefusalTest, InvalidJobShowsNothingNew) {
  MemoryPanel panel;
  RecordingPrompts prompts;
  Workspace workspace;
  RecordingHost host;
  PanelCommand(kCommand, Click(kUpdateParamsButton), panel, prompts, workspace, host);
  const DrawList accepted = workspace.scene;
  panel.setText(kCutSegmentsField, "1001");
  PanelCommand(kCommand, Click(kUpdateParamsButton), panel, prompts, workspace, host);
  EXPECT_EQ(host.shown, 1);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].text.find("CUT SEGMENTS"), std::string::npos);
  EXPECT_EQ(workspace.scene, accepted);
}

}  // namespace
}  // namespace korvex
