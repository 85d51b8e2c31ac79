#include "gcode/profile_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

namespace korvex {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) return true;
  }
  return false;
}

// Reads one line's value into the profile; the problem's kind and wording when it cannot.
using Problem = std::pair<ProfileError::Kind, std::string>;
using Setter = std::optional<Problem> (*)(std::string_view key, std::string_view value,
                                          MachineProfile& profile);

std::optional<Problem> ReadNumber(std::string_view key, std::string_view value, double& target,
                                  bool zeroAllowed) {
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number)) {
    return Problem{ProfileError::Kind::BadNumber,
                   std::string(key) + " \"" + std::string(value) + "\" is not a number"};
  }
  if (number < 0 || (number == 0 && !zeroAllowed)) {
    return Problem{ProfileError::Kind::NegativeNumber, std::string(key) + " " + std::string(value) +
                                                           " must be " +
                                                           (zeroAllowed ? "0 or more" : "above 0")};
  }
  target = number;
  return std::nullopt;
}

// A text that becomes one program line or a label: no control characters; a title also no
// brackets or bars, which would end the comment or the file type it is shown in.
std::optional<Problem> ReadText(std::string_view key, std::string_view value, std::string& target,
                                std::string_view forbidden) {
  if (HasControlCharacter(value) || value.find_first_of(forbidden) != std::string_view::npos) {
    return Problem{
        ProfileError::Kind::BadText,
        std::string(key) + " \"" + std::string(value) + "\" may not hold " +
            (forbidden.empty() ? "control characters"
                               : "control characters or any of " + std::string(forbidden))};
  }
  target = value;
  return std::nullopt;
}

std::optional<Problem> ReadAxes(std::string_view, std::string_view value, MachineProfile& p) {
  if (value == "mm") {
    p.axes = AxisForm::Millimetres;
  } else if (value == "degrees") {
    p.axes = AxisForm::Degrees;
  } else {
    return Problem{ProfileError::Kind::BadChoice,
                   "axes \"" + std::string(value) + "\" must be mm or degrees"};
  }
  return std::nullopt;
}

// The tube turns on an angular axis; X runs along the tube and Y, Z, U, V, W are linear.
std::optional<Problem> ReadRotationLetter(std::string_view key, std::string_view value,
                                          MachineProfile& p) {
  const char letter = value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : '\0';
  if (letter == 'A' || letter == 'B' || letter == 'C') {
    p.rotationLetter = letter;
    return std::nullopt;
  }
  const std::string quoted = std::string(key) + " \"" + std::string(value) + "\"";
  if (letter == 'X') {
    return Problem{ProfileError::Kind::CollidingLetter,
                   quoted + " collides with X, the axis along the tube"};
  }
  return Problem{ProfileError::Kind::CollidingLetter,
                 quoted + " must be one of the angular axes A, B, C"};
}

const std::map<std::string_view, Setter>& Setters() {
  static const std::map<std::string_view, Setter> setters = {
      {"title", [](std::string_view k, std::string_view v,
                   MachineProfile& p) { return ReadText(k, v, p.title, "()|"); }},
      {"axes", ReadAxes},
      {"rotation-letter", ReadRotationLetter},
      {"feed", [](std::string_view k, std::string_view v,
                  MachineProfile& p) { return ReadNumber(k, v, p.cuttingFeed, false); }},
      {"rapid-feed", [](std::string_view k, std::string_view v,
                        MachineProfile& p) { return ReadNumber(k, v, p.rapidFeed, false); }},
      {"pierce-delay", [](std::string_view k, std::string_view v,
                          MachineProfile& p) { return ReadNumber(k, v, p.pierceDelay, true); }},
      {"torch-on", [](std::string_view k, std::string_view v,
                      MachineProfile& p) { return ReadText(k, v, p.torchOn, ""); }},
      {"torch-off", [](std::string_view k, std::string_view v,
                       MachineProfile& p) { return ReadText(k, v, p.torchOff, ""); }},
  };
  return setters;
}

}  // namespace

std::string ProfileError::message() const {
  return source + ":" + std::to_string(line) + ": " + detail;
}

ProfileParse ParseMachineProfile(std::string_view text, const std::string& name,
                                 const std::string& source) {
  MachineProfile profile;
  profile.name = name;
  profile.title = name;
  std::vector<ProfileError> errors;
  std::map<std::string, int> seen;  // key -> the line that gave it

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
      fail(ProfileError::Kind::NotKeyValue, "\"" + std::string(line) + "\" is not key = value");
      continue;
    }
    const std::string key(Trimmed(line.substr(0, equals)));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    const auto setter = Setters().find(key);
    if (setter == Setters().end()) {
      fail(ProfileError::Kind::UnknownKey, "unknown key \"" + key + "\"");
      continue;
    }
    if (const auto first = seen.find(key); first != seen.end()) {
      fail(ProfileError::Kind::RepeatedKey,
           key + " is given again (first on line " + std::to_string(first->second) + ")");
      continue;
    }
    seen.emplace(key, number);
    if (value.empty()) {
      fail(ProfileError::Kind::MissingValue, key + " has no value");
      continue;
    }
    if (const auto problem = setter->second(key, value, profile)) {
      fail(problem->first, problem->second);
    }
  }
  if (!errors.empty()) return errors;
  return profile;
}

}  // namespace korvex
