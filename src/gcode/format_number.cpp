#include "gcode/format_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvex {
namespace {

struct Mask {
  int integerDigits = 1;  // digits always shown before the point
  int decimals = 0;
};

Mask ReadMask(std::string_view mask) {
  const std::size_t point = mask.find('.');
  const std::string_view integerPart = mask.substr(0, point);
  Mask result;
  result.integerDigits = std::max<int>(1, std::count(integerPart.begin(), integerPart.end(), '0'));
  if (point != std::string_view::npos) result.decimals = static_cast<int>(mask.size() - point - 1);
  return result;
}

}  // namespace

std::string FormatNumber(double value, std::string_view maskText) {
  const Mask mask = ReadMask(maskText);
  // Large enough for any double in fixed notation with the mask's decimals.
  char digits[400 + 64];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed,
                    std::min(mask.decimals, 64));
  if (error != std::errc()) return "?";
  std::string_view magnitude(digits, end - digits);

  const std::size_t point = magnitude.find('.');
  const int integerLength = static_cast<int>(point == std::string_view::npos ? magnitude.size() : point);

  std::string text;
  if (value < 0) text += '-';
  text.append(static_cast<std::size_t>(std::max(0, mask.integerDigits - integerLength)), '0');
  text += magnitude;
  return text;
}

}  // namespace korvex
