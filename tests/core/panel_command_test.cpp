#include "app/panel_command.h"

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "recording_prompts.h"

namespace korvex {
namespace {

struct RecordingHost : CommandHost {
  int shown = 0;
  int ended = 0;
  void showRebuiltScene() override { ++shown; }
  void endProgram() override { ++ended; }
};

struct DispatchCase {
  const char* name;
  ControlId clicked;
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
  PanelCommand(c.clicked, panel, prompts, workspace, host);
  EXPECT_EQ(host.shown, c.shown);
  EXPECT_EQ(host.ended, c.ended);
  EXPECT_EQ(prompts.openPrompts.size(), c.openPrompts);
  EXPECT_EQ(prompts.savePrompts.size(), c.savePrompts);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, PanelCommandTest,
    ::testing::Values(DispatchCase{"UpdateParams", kUpdateParamsButton, 1, 0, 0, 0},
                      DispatchCase{"CancelledOpen", kOpenButton, 0, 0, 1, 0},
                      DispatchCase{"CancelledSave", kSaveButton, 0, 0, 0, 1},
                      DispatchCase{"CancelledGcode", kSaveGcodeButton, 0, 0, 0, 1},
                      DispatchCase{"Exit", kExitButton, 0, 1, 0, 0},
                      DispatchCase{"CheckBox", kDisplayGridBox, 0, 0, 0, 0},
                      DispatchCase{"Field", kMainDiameterField, 0, 0, 0, 0},
                      DispatchCase{"NoId", kNoId, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelCommandRefusalTest, InvalidJobShowsNothingNew) {
  MemoryPanel panel;
  RecordingPrompts prompts;
  Workspace workspace;
  RecordingHost host;
  PanelCommand(kUpdateParamsButton, panel, prompts, workspace, host);
  const DrawList accepted = workspace.scene;
  panel.setText(kCutSegmentsField, "1001");
  PanelCommand(kUpdateParamsButton, panel, prompts, workspace, host);
  EXPECT_EQ(host.shown, 1);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].text.find("CUT SEGMENTS"), std::string::npos);
  EXPECT_EQ(workspace.scene, accepted);
}

}  // namespace
}  // namespace korvex
