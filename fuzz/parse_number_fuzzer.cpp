// ParseNumber on any text: never NaN, and where std::from_chars (or strtod) can say what a text
// is worth, the same value.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/parse_number.h"
#include "require.h"

namespace {

using korvex::ParseNumber;
using korvex::fuzz::Require;

bool IsPlainDecimalChar(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

// The value of a text that is wholly a decimal number as std::from_chars reads one, or nothing.
std::optional<double> PlainDecimalValue(std::string_view text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsPlainDecimalChar)) {
    return std::nullopt;
  }
  const char* const last = text.data() + text.size();
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc()) return value;
  if (error == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; strtod (the C locale here) gives infinity or zero.
    return std::strtod(std::string(text).c_str(), nullptr);
  }
  return std::nullopt;
}

// "&H", "&B", "&O", "&Q" or "&" followed by nothing but digits of that base: their value as
// std::from_chars reads them, when a double holds it exactly.
std::optional<double> BasedValue(std::string_view text) {
  if (text.size() < 2 || text[0] != '&') return std::nullopt;
  int base = 8;
  std::size_t start = 2;
  switch (text[1]) {
    case 'H':
      base = 16;
      break;
    case 'B':
      base = 2;
      break;
    case 'O':
    case 'Q':
      break;
    default:
      start = 1;
  }
  const std::string_view digits = text.substr(start);
  const char* const last = digits.data() + digits.size();
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), last, value, base);
  if (digits.empty() || error != std::errc() || end != last || value > (1ULL << 53)) {
    return std::nullopt;
  }
  return static_cast<double>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = ParseNumber(text);
  Require(!std::isnan(value), "no text reads as NaN");
  Require(ParseNumber(" \t\n" + text) == value, "leading blanks, TABs and line feeds are skipped");

  if (const auto expected = PlainDecimalValue(text)) {
    Require(value == *expected, "a decimal number reads as std::from_chars reads it");
    Require(ParseNumber(text + "x") == *expected,
            "reading stops at the first character that does not fit");
    std::string dExponent = text;
    std::replace_if(dExponent.begin(), dExponent.end(), [](char c) { return c == 'e' || c == 'E'; },
                    'D');
    Require(ParseNumber(dExponent) == *expected, "D marks the exponent as E does");
    if (text.front() != '-') Require(ParseNumber("+" + text) == *expected, "a leading + is read");
  }
  if (const auto expected = BasedValue(text)) {
    Require(value == *expected, "a whole number in base 16, 2 or 8 reads as std::from_chars reads it");
  }
  return 0;
}
