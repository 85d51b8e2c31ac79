#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Formats value with a digit mask such as "#.000", "000.0" or "000": "0" always shows a digit,
// "#" only where the value has one, the digits after "." give the decimals. The integer part
// has at least one digit and widens beyond the mask. The double's exact value is rounded, an
// exact tie going to the even digit; a negative value keeps its "-" when it rounds to zero.
std::string FormatNumber(double value, std::string_view mask);

// FormatNumber appended to text, for writers that build long texts.
void AppendNumber(std::string& text, double value, std::string_view mask);

}  // namespace korvex
