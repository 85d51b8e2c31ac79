#include "rrbutton_colors.h"

#include <algorithm>

namespace korvex {
namespace {

constexpr int kLighterStep = 8;
constexpr int kDarkerStep = 16;

int ByteOf(ColorRef color, int shift) {
  return static_cast<int>(color >> shift & 0xFF);
}

// Each byte moves on its own and stops at 0 or 255: a plain 24-bit sum would carry into the
// neighbouring byte and turn a near-white face into a dark, tinted one.
ColorRef ShiftEachByte(ColorRef color, int step) {
  auto shifted = [&](int shift) { return std::clamp(ByteOf(color, shift) + step, 0, 255); };
  return Rgb(shifted(0), shifted(8), shifted(16));
}

}  // namespace

ColorRef ToColorRef(const QColor& color) {
  return Rgb(color.red(), color.green(), color.blue());
}

QColor ToQColor(ColorRef color) {
  return QColor(ByteOf(color, 0), ByteOf(color, 8), ByteOf(color, 16));
}

ColorRef LighterFace(ColorRef buttonFace) {
  return ShiftEachByte(buttonFace, kLighterStep);
}

ColorRef DarkerFace(ColorRef buttonFace) {
  return ShiftEachByte(buttonFace, -kDarkerStep);
}

bool IsPureBlackOrWhite(ColorRef color) {
  const ColorRef rgb = color & 0xFFFFFF;
  return rgb == Rgb(0, 0, 0) || rgb == Rgb(255, 255, 255);
}

ColorRef InitialFaceColor(ColorRef buttonFace) {
  return IsPureBlackOrWhite(buttonFace) ? buttonFace : LighterFace(buttonFace);
}

SystemColours ReadSystemColours(const QPalette& palette) {
  auto colour = [&](QPalette::ColorRole role) {
    return ToColorRef(palette.color(QPalette::Active, role));
  };
  return {.buttonFace = colour(QPalette::Button),
          .highlight = colour(QPalette::Light),
          .shadow = colour(QPalette::Dark),
          .buttonText = colour(QPalette::ButtonText),
          .infoBackground = colour(QPalette::ToolTipBase),
          .scrollbar = colour(QPalette::Midlight)};
}

}  // namespace korvex
