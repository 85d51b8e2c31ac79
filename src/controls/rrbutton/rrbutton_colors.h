#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace korvex {

// A colour as the message interface carries it: 24-bit RGB, red in the low byte.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
         static_cast<ColorRef>(blue & 0xFF) << 16;
}

ColorRef ToColorRef(const QColor& color);
QColor ToQColor(ColorRef color);

// The default face: a shade lighter than the system button face (8 more in each byte).
ColorRef LighterFace(ColorRef buttonFace);
// The dark face of the focus ring: 16 less in each byte.
ColorRef DarkerFace(ColorRef buttonFace);
// The face a new button starts with: pure black and pure white are kept as they are.
ColorRef InitialFaceColor(ColorRef buttonFace);
bool IsPureBlackOrWhite(ColorRef color);

// The system colours the button paints with, read from a widget's palette.
struct SystemColours {
  ColorRef buttonFace = 0;
  ColorRef highlight = 0;
  ColorRef shadow = 0;
  ColorRef buttonText = 0;
  ColorRef infoBackground = 0;
  ColorRef scrollbar = 0;
};

SystemColours ReadSystemColours(const QPalette& palette);

}  // namespace korvex
