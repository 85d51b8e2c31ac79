#include "rrbutton_state.h"

namespace korvex {

void InitializeState(RRButtonState& state, RRButton* window, int id, QWidget* parent,
                     const SystemColours& colours) {
  state.window = window;
  state.id = id;
  state.parent = parent;
  state.faceColor = InitialFaceColor(colours.buttonFace);
  state.textBkColor = state.faceColor;
  state.textColor = colours.buttonText;
  state.textColorPressed = colours.buttonText;
  state.textColorHot = colours.buttonText;
}

}  // namespace korvex
