#include "base/abbreviated.h"

namespace korvex {

std::string Abbreviated(std::string_view text) {
  if (text.size() <= kQuotedBytes) return std::string(text);
  std::size_t end = kQuotedBytes;
  // Back to the first byte of a character: continuation bytes are 10xxxxxx.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end)) + "...";
}

std::string AbbreviatedWithin(std::string text, std::string_view value) {
  if (value.size() <= kQuotedBytes) return text;
  const std::string shorter = Abbreviated(value);
  for (auto at = text.find(value); at != std::string::npos; at = text.find(value, at)) {
    text.replace(at, value.size(), shorter);
    at += shorter.size();
  }
  return text;
}

}  // namespace korvex
