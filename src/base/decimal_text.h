#pragma once

#include <string>

namespace korvex {

// value with at most decimals digits after the point, trailing zeros dropped, never "-0";
// independent of the locale, so every output stays byte-stable.
void AppendDecimal(std::string& text, double value, int decimals);
std::string DecimalText(double value, int decimals);

// The shortest text that reads back as the same value.
std::string ShortestText(double value);

// value with exactly decimals digits after the point (never "-0.000...").
void AppendFixedDecimal(std::string& text, double value, int decimals);

}  // namespace korvex
