#include "gcode/profile_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

#include "base/format_number.h"

namespace korvex {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Lines ended by CR LF, LF or a lone CR, as editors on every system write them.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
  return lines;
}

bool IsPrintableAscii(char c) {
  return c >= 32 && c < 127;
}

std::string Quoted(std::string_view key, std::string_view value) {
  return std::string(key) + " \"" + EscapedText(value) + "\"";
}

// Reads one line's value into the profile; the problem's kind and wording when it cannot.
using Problem = std::pair<ProfileError::Kind, std::string>;
using Setter = std::optional<Problem> (*)(std::string_view key, std::string_view value,
                                          MachineProfile& profile);

std::string RangeText(NumberRange range) {
  auto text = [](double value) {
    std::string number = FormatNumber(value, "#.000");
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number;
  };
  return text(range.low) + " to " + text(range.high);
}

std::optional<Problem> ReadNumber(std::string_view key, std::string_view value, double& target,
                                  NumberRange range, std::string_view unit) {
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number)) {
    return Problem{ProfileError::Kind::BadNumber, Quoted(key, value) + " is not a number"};
  }
  if (!(number >= range.low && number <= range.high)) {
    return Problem{ProfileError::Kind::OutOfRange, std::string(key) + " " + std::string(value) +
                                                       " must be from " + RangeText(range) + " " +
                                                       std::string(unit)};
  }
  target = number;
  return std::nullopt;
}

// Where a line of G-code goes wrong for a controller: a byte outside printable ASCII, a "(" not
// closed or opened inside a comment, a ")" outside one, or "%" (the program's delimiter) first.
std::optional<std::string> CodeLineProblem(std::string_view text) {
  if (text.front() == '%') return "may not begin with %";
  bool inComment = false;
  for (const char c : text) {
    if (!IsPrintableAscii(c)) return "may hold only printable ASCII characters";
    if (inComment) {
      if (c == '(') return "may not open a comment inside a comment";
      inComment = c != ')';
    } else if (c == ';') {
      return std::nullopt;  // the rest of the line is a comment
    } else if (c == '(') {
      inComment = true;
    } else if (c == ')') {
      return "closes a comment it did not open";
    }
  }
  if (inComment) return "leaves a comment open";
  return std::nullopt;
}

// A text that becomes one program line. Empty only where the key allows no line at all.
std::optional<Problem> ReadCodeLine(std::string_view key, std::string_view value,
                                    std::string& target) {
  if (value.empty()) {
    target.clear();
    return std::nullopt;
  }
  std::optional<std::string> problem;
  if (value.size() > kMaxCodeTextLength) {
    problem = "is longer than " + std::to_string(kMaxCodeTextLength) + " characters";
  } else {
    problem = CodeLineProblem(value);
  }
  if (!problem) {
    target = value;
    return std::nullopt;
  }
  return Problem{
      ProfileError::Kind::BadText,
      Quoted(key, value.substr(0, 60)) + (value.size() > 60 ? "..." : "") + " " + *problem};
}

// The title is a label and a comment's text: UTF-8 letters are welcome, but no control bytes
// and no brackets or bars, which would end the comment or the file type it is shown in.
std::optional<Problem> ReadTitle(std::string_view key, std::string_view value,
                                 MachineProfile& profile) {
  bool control = false;
  for (const char c : value) {
    control = control || static_cast<unsigned char>(c) < 32 || c == 127;
  }
  if (control || value.find_first_of("()|") != std::string_view::npos ||
      value.size() > kMaxTitleLength) {
    return Problem{ProfileError::Kind::BadText,
                   Quoted(key, value) + " may hold at most " + std::to_string(kMaxTitleLength) +
                       " characters and no control characters or any of ()|"};
  }
  profile.title = value;
  return std::nullopt;
}

std::optional<Problem> ReadAxes(std::string_view, std::string_view value, MachineProfile& p) {
  if (value == "mm") {
    p.axes = AxisForm::Millimetres;
  } else if (value == "degrees") {
    p.axes = AxisForm::Degrees;
  } else {
    return Problem{ProfileError::Kind::BadChoice, Quoted("axes", value) + " must be mm or degrees"};
  }
  return std::nullopt;
}

// A number, or "material": the controller's material table sets the feed.
std::optional<Problem> ReadFeed(std::string_view key, std::string_view value, MachineProfile& p) {
  p.materialFeed = value == "material";
  if (p.materialFeed) return std::nullopt;
  return ReadNumber(key, value, p.cuttingFeed, kFeedRange, "mm/min or material");
}

// The tube turns on an angular axis; X runs along the tube and Y, Z, U, V, W are linear.
std::optional<Problem> ReadRotationLetter(std::string_view key, std::string_view value,
                                          MachineProfile& p) {
  const char letter = value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : '\0';
  if (letter == 'A' || letter == 'B' || letter == 'C') {
    p.rotationLetter = letter;
    return std::nullopt;
  }
  if (letter == 'X') {
    return Problem{ProfileError::Kind::CollidingLetter,
                   Quoted(key, value) + " collides with X, the axis along the tube"};
  }
  return Problem{ProfileError::Kind::CollidingLetter,
                 Quoted(key, value) + " must be one of the angular axes A, B, C"};
}

// The torch's tilt axis: an angular axis of its own, the job's ANGLE LETTER, or none.
std::optional<Problem> ReadTiltAxis(std::string_view key, std::string_view value,
                                    MachineProfile& p) {
  const char letter = value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : '\0';
  if (letter == 'A' || letter == 'B' || letter == 'C') {
    p.tiltAxis = TiltAxis::Own;
    p.tiltLetter = letter;
  } else if (value == "angle-letter") {
    p.tiltAxis = TiltAxis::AngleLetter;
  } else if (value == "none") {
    p.tiltAxis = TiltAxis::None;
  } else {
    return Problem{
        ProfileError::Kind::BadChoice,
        Quoted(key, value) + " must be one of the angular axes A, B, C, " + "angle-letter or none"};
  }
  return std::nullopt;
}

// One of two words for a choice of the toolpath.
template <typename Choice>
std::optional<Problem> ReadChoice(std::string_view key, std::string_view value, Choice& target,
                                  std::pair<const char*, Choice> first,
                                  std::pair<const char*, Choice> second) {
  for (const auto& [word, choice] : {first, second}) {
    if (value == word) {
      target = choice;
      return std::nullopt;
    }
  }
  return Problem{ProfileError::Kind::BadChoice,
                 Quoted(key, value) + " must be " + first.first + " or " + second.first};
}

// 0 cuts through the CUT SEGMENTS steps; a finer tolerance than the range's would take more
// points than any program should hold.
std::optional<Problem> ReadTolerance(std::string_view key, std::string_view value,
                                     MachineProfile& p) {
  double tolerance = 0;
  const NumberRange any{0, kToleranceRange.high};
  if (auto problem = ReadNumber(key, value, tolerance, any, "mm")) return problem;
  if (tolerance > 0 && tolerance < kToleranceRange.low) {
    return Problem{ProfileError::Kind::OutOfRange, std::string(key) + " " + std::string(value) +
                                                       " must be 0 or from " +
                                                       RangeText(kToleranceRange) + " mm"};
  }
  p.toolpath.tolerance = tolerance;
  return std::nullopt;
}

// The toolpath's lengths in mm.
template <double ToolpathOptions::*Length, NumberRange Range>
std::optional<Problem> ReadLength(std::string_view key, std::string_view value, MachineProfile& p) {
  return ReadNumber(key, value, p.toolpath.*Length, Range, "mm");
}

struct Key {
  Setter setter;
  bool emptyAllowed = false;  // an empty value writes no line
};

const std::map<std::string_view, Key>& Keys() {
  static const std::map<std::string_view, Key> keys = {
      {"title", {ReadTitle}},
      {"axes", {ReadAxes}},
      {"rotation-letter", {ReadRotationLetter}},
      {"feed", {ReadFeed}},
      {"rapid-feed", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadNumber(k, v, p.rapidFeed, kFeedRange, "mm/min");
       }}},
      {"pierce-delay", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadNumber(k, v, p.pierceDelay, kPierceDelayRange, "seconds");
       }}},
      {"torch-on", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadCodeLine(k, v, p.torchOn);
       }}},
      {"torch-off", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadCodeLine(k, v, p.torchOff);
       }}},
      {"before-cut",
       {[](std::string_view k, std::string_view v, MachineProfile& p) {
          return ReadCodeLine(k, v, p.beforeCut);
        },
        true}},
      {"after-cut",
       {[](std::string_view k, std::string_view v, MachineProfile& p) {
          return ReadCodeLine(k, v, p.afterCut);
        },
        true}},
      {"tool-table",
       {[](std::string_view k, std::string_view v, MachineProfile& p) {
          return ReadCodeLine(k, v, p.toolTable);
        },
        true}},
      {"tool-change",
       {[](std::string_view k, std::string_view v, MachineProfile& p) {
          return ReadCodeLine(k, v, p.toolChange);
        },
        true}},
      {"tilt-axis", {ReadTiltAxis}},
      {"good-side", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadChoice(k, v, p.toolpath.goodSide, {"right", GoodSide::Right},
                           {"left", GoodSide::Left});
       }}},
      {"kerf", {ReadLength<&ToolpathOptions::kerf, kKerfRange>}},
      {"lead-in", {ReadLength<&ToolpathOptions::leadIn, kLeadRange>}},
      {"lead-out", {ReadLength<&ToolpathOptions::leadOut, kLeadRange>}},
      {"lead-shape", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadChoice(k, v, p.toolpath.leadShape, {"line", LeadShape::Line},
                           {"arc", LeadShape::Arc});
       }}},
      {"overcut", {ReadLength<&ToolpathOptions::overcut, kLeadRange>}},
      {"start-angle", {[](std::string_view k, std::string_view v, MachineProfile& p) {
         return ReadNumber(k, v, p.toolpath.startAngle, kStartAngleRange, "degrees");
       }}},
      {"tolerance", {ReadTolerance}},
  };
  return keys;
}

}  // namespace

std::string EscapedText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (IsPrintableAscii(c)) {
      escaped += c;
      continue;
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    escaped += "\\x";
    escaped += kHex[byte >> 4];
    escaped += kHex[byte & 15];
  }
  return escaped;
}

std::string ProfileError::message() const {
  return source + ":" + std::to_string(line) + ": " + detail;
}

ProfileParse ParseMachineProfile(std::string_view text, const std::string& name,
                                 const std::string& source) {
  MachineProfile profile;
  profile.name = name;
  profile.title = name;
  // A machine is given tool lines and tilt words only when its profile asks for them.
  profile.toolTable.clear();
  profile.toolChange.clear();
  profile.tiltAxis = TiltAxis::None;
  std::vector<ProfileError> errors;
  std::map<std::string, int> seen;  // key -> the line that gave it

  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  int number = 0;
  for (const std::string_view rawLine : Lines(text)) {
    ++number;
    const std::string_view line = Trimmed(rawLine);
    if (line.empty() || line.front() == '#') continue;
    auto fail = [&](ProfileError::Kind kind, std::string detail) {
      errors.push_back({kind, source, number, std::move(detail)});
    };
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      fail(ProfileError::Kind::NotKeyValue, "\"" + EscapedText(line) + "\" is not key = value");
      continue;
    }
    const std::string key(Trimmed(line.substr(0, equals)));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    const auto found = Keys().find(key);
    if (found == Keys().end()) {
      fail(ProfileError::Kind::UnknownKey, "unknown key \"" + EscapedText(key) + "\"");
      continue;
    }
    if (const auto first = seen.find(key); first != seen.end()) {
      fail(ProfileError::Kind::RepeatedKey,
           key + " is given again (first on line " + std::to_string(first->second) + ")");
      continue;
    }
    seen.emplace(key, number);
    if (value.empty() && !found->second.emptyAllowed) {
      fail(ProfileError::Kind::MissingValue, key + " has no value");
      continue;
    }
    if (const auto problem = found->second.setter(key, value, profile)) {
      fail(problem->first, problem->second);
    }
  }
  const auto tilt = seen.find("tilt-axis");
  if (tilt != seen.end() && profile.axes == AxisForm::Degrees &&
      profile.tiltAxis == TiltAxis::Own && profile.tiltLetter == profile.rotationLetter) {
    errors.push_back({ProfileError::Kind::CollidingLetter, source, tilt->second,
                      std::string("tilt-axis \"") + profile.tiltLetter +
                          "\" is the rotation letter; the tilt needs an axis of its own"});
  }
  if (!errors.empty()) return errors;
  return profile;
}

}  // namespace korvex
