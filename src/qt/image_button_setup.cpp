#include "qt/image_button_setup.h"

#include "app/control_ids.h"
#include "app/control_table.h"
#include "controls/rrbutton/rrbutton_messages.h"

namespace korvex {
namespace {

struct ButtonIcons {
  int id;
  const char* normal;
  const char* hot;
  const char* disabled;
};

// No button is ever disabled; each still gets a greyed image of its own.
constexpr std::array kIcons = {
    ButtonIcons{kOpenButton, "ICON_OPEN", "ICON_OPEN_H", "ICON_OPEN_D"},
    ButtonIcons{kSaveButton, "ICON_SAVE_PROJ", "ICON_SAVE_PROJ_H", "ICON_SAVE_PROJ_D"},
    ButtonIcons{kUpdateParamsButton, "ICON_UPDATE", "ICON_UPDATE_H", "ICON_UPDATE_D"},
    ButtonIcons{kSaveGcodeButton, "ICON_SAVE_CODE", "ICON_SAVE_CODE_H", "ICON_SAVE_CODE_D"},
    ButtonIcons{kExitButton, "ICON_STOP", "ICON_STOP_H", "ICON_STOP_D"},
};

constexpr ButtonIcons kNoIcons{kNoId, "", "", ""};

const ButtonIcons& IconsOf(int id) {
  for (const ButtonIcons& icons : kIcons) {
    if (icons.id == id) return icons;
  }
  return kNoIcons;
}

constexpr std::uintptr_t Rgb(int red, int green, int blue) {
  return static_cast<std::uintptr_t>(red | green << 8 | blue << 16);
}

// The image sits 25 pixels in from the top and, horizontally, near the middle of the button.
constexpr std::uintptr_t ImageLeft(int buttonWidth) {
  return buttonWidth > 80 ? 75 : 25;
}

}  // namespace

std::array<ButtonMessage, 9> ImageButtonSetup(const PanelControl& button) {
  const ButtonIcons& icons = IconsOf(button.id);
  return {{
      {RRBM_LOADIMAGE, IMAGE_ICON, 0, icons.normal},
      {RRBM_LOADIMAGEDISABLED, IMAGE_ICON, 0, icons.disabled},
      {RRBM_LOADIMAGEHOT, IMAGE_ICON, 0, icons.hot},
      {RRBM_SETIMAGESIZE, 32, 32, nullptr},
      {RRBM_SETFACECOLOR, Rgb(220, 220, 200), 0, nullptr},
      {RRBM_SETIMAGEPOS, ImageLeft(button.w), 25, nullptr},
      {RRBM_SETTEXTMARGINTOP, 4, 0, nullptr},
      {RRBM_SETTEXTFORMAT, DT_CENTER, 0, nullptr},
      {RRBM_SETCORNER, 10, 0, nullptr},
  }};
}

const char* ImageButtonIcon(int controlId) {
  return IconsOf(controlId).normal;
}

}  // namespace korvex
