#include "app/plan_json.h"

#include "base/decimal_text.h"

namespace korvex {
namespace {

// True when text is well-formed UTF-8.
bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80         ? 1
                               : (c >> 5) == 6  ? 2
                               : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4
                                                : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

void AppendString(std::string& out, const std::string& text) {
  const bool utf8 = IsUtf8(text);
  out += '"';
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if (c >= 0x80 && !utf8) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += ch;
    }
  }
  out += '"';
}

void AppendLength(std::string& out, double value) {
  AppendDecimal(out, value, 3);
}

}  // namespace

std::string FormatPlanJson(int lowerBound, const std::vector<PlanJsonStick>& sticks,
                           const std::vector<PlanJsonTube>& tubes) {
  std::string out = "{\n  \"lower_bound\": " + std::to_string(lowerBound) + ",\n  \"sticks\": [";
  for (std::size_t s = 0; s < sticks.size(); ++s) {
    const PlanJsonStick& stick = sticks[s];
    out += s == 0 ? "\n    {\"tube\": " : ",\n    {\"tube\": ";
    AppendString(out, stick.tube);
    out += ", \"length\": ";
    AppendLength(out, stick.length);
    out += ", \"remnant\": ";
    AppendLength(out, stick.remnant);
    out += ", \"program\": ";
    AppendString(out, stick.program);
    out += ", \"parts\": [";
    for (std::size_t p = 0; p < stick.parts.size(); ++p) {
      const PlanJsonPart& part = stick.parts[p];
      out += p == 0 ? "\n      {\"name\": " : ",\n      {\"name\": ";
      AppendString(out, part.name);
      out += ", \"file\": ";
      AppendString(out, part.file);
      out += ", \"offset\": ";
      AppendLength(out, part.offset);
      out += part.flipped ? ", \"flipped\": true" : ", \"flipped\": false";
      out += ", \"turn\": " + std::to_string(part.turn) + "}";
    }
    out += stick.parts.empty() ? "]}" : "\n    ]}";
  }
  out += sticks.empty() ? "],\n  \"tubes\": [" : "\n  ],\n  \"tubes\": [";
  for (std::size_t t = 0; t < tubes.size(); ++t) {
    const PlanJsonTube& tube = tubes[t];
    out += t == 0 ? "\n    {\"tube\": " : ",\n    {\"tube\": ";
    AppendString(out, tube.tube);
    out += ", \"sticks\": " + std::to_string(tube.sticks) +
           ", \"lower_bound\": " + std::to_string(tube.lowerBound) +
           (tube.provenOptimal ? ", \"sticks_proven_optimal\": true}"
                               : ", \"sticks_proven_optimal\": false}");
  }
  out += tubes.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace korvex
