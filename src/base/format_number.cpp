#include "base/format_number.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

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

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000};

// |value| in units of 10^-decimals, rounded exactly with ties to even, for decimals <= 3 and
// |value| < 2^53. Such a double is m·2^e with an integer m < 2^53 and e <= 0, so m·10^decimals
// (< 2^63) shifted right by -e is the scaled value; the bits shifted out decide the rounding.
bool ScaleExactly(double value, int decimals, std::uint64_t& scaled) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  const int exponent = (biasedExponent == 0 ? 1 : biasedExponent) - 1075;
  if (decimals > 3 || exponent > 0) return false;
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biasedExponent != 0) mantissa |= std::uint64_t{1} << 52;

  const std::uint64_t product = mantissa * kPowersOfTen[decimals];
  const int shift = -exponent;
  if (shift == 0) {
    scaled = product;
  } else if (shift >= 64) {
    scaled = 0;  // below half a unit: product < 2^63 <= the half
  } else {
    scaled = product >> shift;
    const std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (scaled & 1) != 0)) ++scaled;
  }
  return true;
}

// The digits of |value| with the mask's decimals: an integer part, then "." and the decimals.
std::string_view Magnitude(double value, int decimals, char* buffer, std::size_t size) {
  std::uint64_t scaled = 0;
  if (!ScaleExactly(value, decimals, scaled)) {
    const auto end = std::to_chars(buffer, buffer + size, std::fabs(value),
                                   std::chars_format::fixed, std::min(decimals, 64))
                         .ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
  }
  const std::uint64_t unit = kPowersOfTen[decimals];
  char* end = std::to_chars(buffer, buffer + size, scaled / unit).ptr;
  if (decimals > 0) {
    *end++ = '.';
    std::uint64_t fraction = scaled % unit;
    for (int d = decimals - 1; d >= 0; --d, fraction /= 10)
      end[d] = static_cast<char>('0' + fraction % 10);
    end += decimals;
  }
  return {buffer, static_cast<std::size_t>(end - buffer)};
}

}  // namespace

void AppendNumber(std::string& text, double value, std::string_view maskText) {
  const Mask mask = ReadMask(maskText);
  char buffer[400 + 64];  // any double in fixed notation with up to 64 decimals
  const std::string_view magnitude = Magnitude(value, mask.decimals, buffer, sizeof buffer);
  const std::size_t point = magnitude.find('.');
  const auto integerLength =
      static_cast<int>(point == std::string_view::npos ? magnitude.size() : point);

  if (value < 0) text += '-';
  text.append(static_cast<std::size_t>(std::max(0, mask.integerDigits - integerLength)), '0');
  text += magnitude;
}

std::string FormatNumber(double value, std::string_view mask) {
  std::string text;
  AppendNumber(text, value, mask);
  return text;
}

}  // namespace korvex
