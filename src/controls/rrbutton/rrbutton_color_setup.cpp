#include "rrbutton_color_setup.h"

namespace korvex {
namespace {

constexpr std::uint16_t kPaletteVersion = 768;

// Only a face that followed an earlier system face follows the new one.
ColorRef FollowedFace(const RRButtonState& state, ColorRef buttonFace) {
  if (state.palette.lastButtonFace < 0) return state.faceColor;
  const auto oldFace = static_cast<ColorRef>(state.palette.lastButtonFace);
  if (state.faceColor == LighterFace(oldFace)) return LighterFace(buttonFace);
  if (state.faceColor == oldFace) return buttonFace;
  return state.faceColor;
}

}  // namespace

void RunColorSetup(RRButtonState& state, const SystemColours& colours) {
  state.faceColor = FollowedFace(state, colours.buttonFace);
  state.palette.version = kPaletteVersion;
  state.palette.entryCount = static_cast<std::uint16_t>(state.palette.entries.size());
  state.palette.entries = {state.faceColor, DarkerFace(colours.buttonFace), colours.infoBackground,
                           colours.scrollbar};
  state.palette.lastButtonFace = colours.buttonFace;
  state.faceBrush = QBrush(ToQColor(state.faceColor));
}

bool ApplySystemColourChange(RRButtonState& state, const SystemColours& colours) {
  if (!IsPureBlackOrWhite(colours.buttonFace)) return false;
  state.faceColor = colours.buttonFace;
  state.textColor = colours.buttonText;
  state.textColorPressed = colours.buttonText;
  state.textColorHot = colours.buttonText;
  return true;
}

}  // namespace korvex
