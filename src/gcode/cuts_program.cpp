#include "gcode/cuts_program.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "base/format_number.h"
#include "base/parse_number.h"
#include "base/pi.h"
#include "gcode/comment_text.h"
#include "gcode/program_lines.h"
#include "gcode/rotary_motion.h"

namespace korvex {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A feed or a delay without trailing zeros: 1000, 2.5, 358.4231; at least minDecimals decimals.
std::string ShortNumber(double value, std::size_t minDecimals = 0) {
  std::string text = FormatNumber(value, "#.0000");
  const std::size_t point = text.find('.');
  text.erase(std::max(text.find_last_not_of('0') + 1, point + 1 + minDecimals));
  if (text.back() == '.') text.pop_back();
  return text;
}

// A positive number with six significant digits in plain decimals (no exponent, which G-code
// does not read): an inverse-time feed of a long move stays above 0, one of a short move exact
// enough for its speed.
std::string SignificantNumber(double value) {
  constexpr int kDigits = 6;
  const int exponent = static_cast<int>(std::floor(std::log10(value)));
  const int decimals = std::max(0, kDigits - 1 - exponent);
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

// Writes one profile's program of planned cuts: the described program's lines, with the words
// of each point, the feeds, the torch and tool lines the profile's keys give.
class CutsProgram {
 public:
  CutsProgram(const std::vector<MachineCut>& cuts, const ProgramHeader& header,
              const MachineProfile& profile, bool tilts)
      : cuts_(cuts),
        header_(header),
        profile_(profile),
        degrees_(profile.axes == AxisForm::Degrees),
        tiltLetter_(TiltLetter(profile, header.axisLetter)),
        tilts_(tilts && tiltLetter_) {}

  std::string text() {
    AppendHeaderComments(text_, header_);
    AppendLine(text_, "(Machine " + CommentText(profile_.title) + ")");
    AppendModeLines(text_);
    for (const std::string* line : {&profile_.toolTable, &profile_.toolChange}) {
      if (!line->empty()) AppendLine(text_, *line);
    }
    AppendLine(text_, "F" + ShortNumber(profile_.rapidFeed));
    // A tilt an earlier program left is never cut with.
    if (tiltLetter_) AppendLine(text_, "G0 " + *tiltLetter_ + " 0.000");
    if (degrees_) AppendLine(text_, "G93 (inverse time feed)");
    for (std::size_t i = 0; i < cuts_.size(); ++i)
      appendCut(static_cast<int>(i + 1), cuts_[i]);
    if (degrees_) AppendLine(text_, "G94 (units per minute feed)");
    appendPoint("G0", PathPoint{}, tiltLetter_.has_value());
    text_ += "\r\n";
    AppendLine(text_, "M2 (Program end)");
    AppendLine(text_, "(Finish)");
    return std::move(text_);
  }

 private:
  // Where the words of a point put the torch, as the controller reads them.
  struct Written {
    double x;
    double turn;  // Y in mm, or the rotation in degrees
  };

  // Every line of one cut: the rapid to its pierce point, the torch and the cut lines, the feed
  // moves through its points.
  void appendCut(int number, const MachineCut& cut) {
    AppendLine(text_, "(Object)");
    AppendLine(text_, "(" + FormatNumber(number, "000") + ")");
    AppendLine(text_, "(" + FormatNumber(static_cast<int>(cut.size()), "000") + ")");
    Written last = appendPoint("G0", cut.front(), tilts_);
    text_ += "\r\n";
    if (!degrees_) {
      AppendLine(text_, "F" + (profile_.materialFeed ? std::string(kMaterialFeedParameter)
                                                     : ShortNumber(profile_.cuttingFeed)));
    }
    if (!profile_.beforeCut.empty()) AppendLine(text_, profile_.beforeCut);
    AppendLine(text_, profile_.torchOn);
    if (const std::string delay = ShortNumber(profile_.pierceDelay, 1); ParseNumber(delay) > 0) {
      AppendLine(text_, "G4 P" + delay);
    }
    for (std::size_t i = 1; i < cut.size(); ++i) {
      const Written at = appendPoint("G1", cut[i], tilts_);
      if (degrees_) appendInverseTimeFeed(last, at);
      text_ += "\r\n";
      last = at;
    }
    AppendLine(text_, profile_.torchOff);
    if (!profile_.afterCut.empty()) AppendLine(text_, profile_.afterCut);
  }

  // " F.." of a move between two written points, so that the torch crosses the tube's surface at
  // the cutting feed: the move takes its surface length over the feed.
  void appendInverseTimeFeed(Written from, Written to) {
    const double arc = (to.turn - from.turn) * kPi * header_.tubeDiameter / 360;
    const double length = std::max(SurfaceLength(to.x - from.x, arc), kShortestMove);
    if (profile_.materialFeed) {
      text_ += " F[" + std::string(kMaterialFeedParameter) + "/" + SignificantNumber(length) + "]";
    } else {
      text_ += " F" + SignificantNumber(InverseTimeFeed(length, profile_.cuttingFeed));
    }
  }

  // "G1 X .. Y .. B .." (mm) or "G1 X .. A .. B .." (degrees, rotation then tilt), no line end;
  // the tilt word only when asked for.
  Written appendPoint(std::string_view move, const PathPoint& point, bool withTilt) {
    text_ += move;
    Written written{appendWord(" X ", point.x), 0};
    if (degrees_) {
      const char word[] = {' ', profile_.rotationLetter, ' ', '\0'};
      written.turn = appendWord(word, RotationDegrees(point.y, header_.tubeDiameter));
    } else {
      written.turn = appendWord(" Y ", point.y);
    }
    if (withTilt) appendWord(" " + *tiltLetter_ + " ", point.tilt);
    return written;
  }

  // The word's number with three decimals; the value the controller reads from it.
  double appendWord(std::string_view prefix, double value) {
    text_ += prefix;
    const std::size_t start = text_.size();
    AppendNumber(text_, value, "#.000");
    return ParseNumber(std::string_view(text_).substr(start));
  }

  const std::vector<MachineCut>& cuts_;
  const ProgramHeader& header_;
  const MachineProfile& profile_;
  const bool degrees_;
  const std::optional<std::string> tiltLetter_;
  const bool tilts_;
  std::string text_;
};

}  // namespace

std::optional<std::string> TiltLetter(const MachineProfile& profile, std::string_view angleLetter) {
  switch (profile.tiltAxis) {
    case TiltAxis::Own:
      return std::string(1, profile.tiltLetter);
    case TiltAxis::AngleLetter:
      return std::string(Trimmed(angleLetter));
    case TiltAxis::None:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> TiltProblem(const MachineProfile& profile, std::string_view angleLetter,
                                       bool tilts) {
  if (profile.tiltAxis == TiltAxis::None) {
    if (!tilts) return std::nullopt;
    return "3D MODE tilts the torch, and the machine " + profile.title +
           " has no tilt axis (its profile's tilt-axis is none)";
  }
  if (profile.tiltAxis == TiltAxis::Own) return std::nullopt;
  const std::string_view tilt = Trimmed(angleLetter);
  const char letter = tilt.size() == 1 ? static_cast<char>(std::toupper(tilt[0])) : '\0';
  std::string reason;
  if (profile.axes == AxisForm::Degrees && letter == profile.rotationLetter) {
    reason = "the rotation axis of the machine " + profile.title;
  } else if (letter == 'X') {
    reason = "the axis along the tube";
  } else if (letter == 'Z') {
    reason =
        "a linear axis: the controller counts it in the feed length and plasma "
        "configurations drop Z words";
  } else {
    return std::nullopt;
  }
  return "ANGLE LETTER \"" + std::string(angleLetter) + "\" is " + reason +
         "; the torch tilt, which every program of this machine puts at 0, needs an angular "
         "axis of its own";
}

std::string FormatCutsProgram(const std::vector<MachineCut>& cuts, const ProgramHeader& header,
                              const MachineProfile& profile, bool tilts) {
  if (TiltProblem(profile, header.axisLetter, tilts)) return std::string();
  return CutsProgram(cuts, header, profile, tilts).text();
}

std::optional<double> EstimateCutTime(const std::vector<MachineCut>& cuts,
                                      const MachineProfile& profile) {
  if (profile.materialFeed) return std::nullopt;
  auto distance = [](const PathPoint& a, const PathPoint& b) {
    return SurfaceLength(b.x - a.x, b.y - a.y);
  };
  double rapidLength = 0;
  double feedLength = 0;
  PathPoint at;  // the program starts and ends at X 0 Y 0
  for (const MachineCut& cut : cuts) {
    if (cut.empty()) continue;
    rapidLength += distance(at, cut.front());
    for (std::size_t i = 1; i < cut.size(); ++i)
      feedLength += distance(cut[i - 1], cut[i]);
    at = cut.back();
  }
  rapidLength += distance(at, PathPoint{});
  return 60 * (rapidLength / profile.rapidFeed + feedLength / profile.cuttingFeed) +
         static_cast<double>(cuts.size()) * profile.pierceDelay;
}

std::string FormatCutTime(double seconds) {
  const long long whole = std::llround(seconds);
  return std::to_string(whole / 60) + ":" + FormatNumber(static_cast<double>(whole % 60), "00");
}

}  // namespace korvex
