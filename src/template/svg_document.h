#pragma once

#include <string>

#include "template/sheet.h"

namespace korvex {

// The sheet as an SVG document whose width, height and viewBox are in mm, so that any viewer
// shows and prints it at true size.
std::string SvgDocument(const Sheet& sheet, const std::string& title);

}  // namespace korvex
