// The nine messages that configure each panel button.
#include "qt/image_button_setup.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/control_ids.h"
#include "app/control_table.h"
#include "controls/rrbutton/rrbutton_messages.h"

namespace korvex {
namespace {

const PanelControl& ControlWithId(int id) {
  for (const PanelControl& entry : ControlTable()) {
    if (entry.id == id) return entry;
  }
  throw std::runtime_error("no control " + std::to_string(id));
}

struct SetupCase {
  int id;
  const char* normal;
  const char* hot;
  const char* disabled;
  std::uintptr_t imageLeft;
};

class ImageButtonSetupTest : public ::testing::TestWithParam<SetupCase> {};

TEST_P(ImageButtonSetupTest, NineMessagesInOrder) {
  const SetupCase& c = GetParam();
  const auto messages = ImageButtonSetup(ControlWithId(c.id));
  const unsigned order[] = {RRBM_LOADIMAGE,        RRBM_LOADIMAGEDISABLED, RRBM_LOADIMAGEHOT,
                            RRBM_SETIMAGESIZE,     RRBM_SETFACECOLOR,      RRBM_SETIMAGEPOS,
                            RRBM_SETTEXTMARGINTOP, RRBM_SETTEXTFORMAT,     RRBM_SETCORNER};
  for (std::size_t i = 0; i < messages.size(); ++i)
    EXPECT_EQ(messages[i].message, order[i]);
  EXPECT_STREQ(messages[0].imageName, c.normal);
  EXPECT_STREQ(messages[1].imageName, c.disabled);
  EXPECT_STREQ(messages[2].imageName, c.hot);
  for (int i : {0, 1, 2})
    EXPECT_EQ(messages[i].wParam, IMAGE_ICON);
  EXPECT_EQ(messages[3].wParam, 32u);
  EXPECT_EQ(messages[3].lParam, 32);
  EXPECT_EQ(messages[4].wParam, 220u | 220u << 8 | 200u << 16);
  EXPECT_EQ(messages[5].wParam, c.imageLeft);
  EXPECT_EQ(messages[5].lParam, 25);
  EXPECT_EQ(messages[6].wParam, 4u);
  EXPECT_EQ(messages[7].wParam, DT_CENTER);
  EXPECT_EQ(messages[8].wParam, 10u);
  // No immediate repaint is asked for.
  for (int i : {4, 6, 7, 8})
    EXPECT_EQ(messages[i].lParam, 0);
  EXPECT_STREQ(ImageButtonIcon(c.id), c.normal);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ImageButtonSetupTest,
    ::testing::Values(
        SetupCase{kOpenButton, "ICON_OPEN", "ICON_OPEN_H", "ICON_OPEN_D", 25},
        SetupCase{kSaveButton, "ICON_SAVE_PROJ", "ICON_SAVE_PROJ_H", "ICON_SAVE_PROJ_D", 25},
        SetupCase{kUpdateParamsButton, "ICON_UPDATE", "ICON_UPDATE_H", "ICON_UPDATE_D", 75},
        SetupCase{kSaveGcodeButton, "ICON_SAVE_CODE", "ICON_SAVE_CODE_H", "ICON_SAVE_CODE_D", 75},
        SetupCase{kExitButton, "ICON_STOP", "ICON_STOP_H", "ICON_STOP_D", 25}),
    [](const auto& info) { return std::string(info.param.normal); });

}  // namespace
}  // namespace korvex
