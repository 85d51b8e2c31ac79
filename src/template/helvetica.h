#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The advance of text set in the built-in Helvetica at size (its height in mm), in mm.
// Characters outside printable ASCII count as the widest glyph.
double HelveticaWidth(std::string_view text, double size);

// text if it fits width; otherwise text with its middle replaced by "...", keeping as much of
// both ends as fits (at least the marker).
std::string ShortenedInTheMiddle(const std::string& text, double size, double width);

}  // namespace korvex
