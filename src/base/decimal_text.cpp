#include "base/decimal_text.h"

#include <charconv>
#include <string_view>

namespace korvex {
namespace {

std::string_view Fixed(char (&buffer)[64], double value, int decimals) {
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

bool IsNegativeZero(std::string_view text) {
  return text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos;
}

}  // namespace

void AppendDecimal(std::string& text, double value, int decimals) {
  char buffer[64];
  std::string_view digits = Fixed(buffer, value, decimals);
  if (digits.find('.') != std::string_view::npos) {
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.remove_suffix(1);
  }
  if (IsNegativeZero(digits)) digits.remove_prefix(1);
  text += digits;
}

std::string DecimalText(double value, int decimals) {
  std::string text;
  AppendDecimal(text, value, decimals);
  return text;
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void AppendFixedDecimal(std::string& text, double value, int decimals) {
  char buffer[64];
  std::string_view digits = Fixed(buffer, value, decimals);
  if (IsNegativeZero(digits)) digits.remove_prefix(1);
  text += digits;
}

}  // namespace korvex
