#pragma once

#include <string_view>

namespace korvex {

// The lenient reading of a panel text as a number: leading blanks, TABs and line feeds are
// skipped, then a sign, digits with one ".", and an exponent (E or D) are read up to the first
// character that does not fit. "&H", "&B", "&O", "&Q" and "&" + digits read a whole number in
// base 16, 2, 8, 8 and 8. No number gives 0; a number too large for a double gives infinity.
// Independent of the process locale.
double ParseNumber(std::string_view text);

// Rounds to the nearest integer, an exact half going to the even neighbour. Values outside the
// int range saturate; NaN gives 0.
int RoundToInt(double value);

}  // namespace korvex
