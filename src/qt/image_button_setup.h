#pragma once

#include <array>
#include <cstdint>

namespace korvex {

struct PanelControl;

// One configuration message for an image button. A message that loads an image carries the
// image's name in imageName; the others carry their values in wParam and lParam.
struct ButtonMessage {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  const char* imageName;
};

// The nine messages that configure a panel button after its creation, in the order they are
// sent: normal, disabled and hot image, image size, face colour, image position, caption
// margin, caption format and corner rounding.
std::array<ButtonMessage, 9> ImageButtonSetup(const PanelControl& button);

// The base name of the button's icons ("ICON_OPEN"); "_H" and "_D" name the hot and disabled
// versions. Empty for a control that is not one of the five buttons.
const char* ImageButtonIcon(int controlId);

}  // namespace korvex
