#include "base/parse_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace korvex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  c = Upper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// "&H1F", "&B101", "&O17", "&Q17", "&17": a whole number in another base.
double ParseBasedNumber(std::string_view text) {
  int base = 8;
  std::size_t i = 1;
  if (i < text.size()) {
    switch (Upper(text[i])) {
      case 'H':
        base = 16, ++i;
        break;
      case 'B':
        base = 2, ++i;
        break;
      case 'O':
      case 'Q':
        base = 8, ++i;
        break;
      default:
        break;
    }
  }
  double value = 0;
  for (; i < text.size() && DigitValue(text[i]) < base; ++i)
    value = value * base + DigitValue(text[i]);
  return value;
}

// The longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits], copied into
// the form from_chars reads. Returns false when there are no mantissa digits.
bool ExtractDecimal(std::string_view text, std::string& number, long& decimalExponent) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  bool digits = false;
  bool seenPoint = false;
  long integerDigits = 0;
  long zerosAfterPoint = 0;  // before the first significant digit of a number below 1
  bool significant = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
      number += text[i];
      if (!seenPoint && (integerDigits > 0 || text[i] != '0')) ++integerDigits;
      if (seenPoint && !significant && integerDigits == 0 && text[i] == '0') ++zerosAfterPoint;
      significant = significant || text[i] != '0';
    } else if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
      number += '.';
    } else {
      break;
    }
  }
  if (!digits) return false;

  // The power of ten of the leading significant digit, plus one: its sign tells an overflow
  // from an underflow when the number does not fit a double.
  decimalExponent = integerDigits - zerosAfterPoint;
  if (i < text.size() && (Upper(text[i]) == 'E' || Upper(text[i]) == 'D')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      std::string exponent = negative ? "e-" : "e";
      long magnitude = 0;
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        exponent += text[j];
        if (magnitude < 100000000) magnitude = magnitude * 10 + (text[j] - '0');
      }
      number += exponent;
      decimalExponent += negative ? -magnitude : magnitude;
    }
  }
  return true;
}

}  // namespace

double ParseNumber(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t\n");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (text.front() == '&') return ParseBasedNumber(text);

  std::string number;
  long decimalExponent = 0;
  if (!ExtractDecimal(text, number, decimalExponent)) return 0;

  const char* first = number.data();
  if (*first == '-') ++first;  // from_chars takes no "+" and reads the sign itself; we add it
  double value = 0;
  auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc()) {
    value = 0;  // a lone "." has no digits to read
  }
  return number.front() == '-' ? -value : value;
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(rounded);
}

}  // namespace korvex
