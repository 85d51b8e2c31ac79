#include "project/toml_writing.h"

#include <charconv>

namespace korvex {

void AppendNumberValue(std::string& text, double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, end);
}

void AppendString(std::string& text, std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  text += '"';
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      text += "\\u00";
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    } else {
      text += c;
    }
  }
  text += '"';
}

}  // namespace korvex
