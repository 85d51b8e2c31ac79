#include "gcode/machine_program.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>
#include <variant>

#include "base/format_number.h"
#include "base/parse_number.h"
#include "base/pi.h"
#include "domain/computed_job.h"
#include "gcode/comment_text.h"
#include "gcode/program_lines.h"
#include "gcode/rotary_motion.h"
#include "toolpath/toolpath.h"

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

// Writes one profile's program: the described program's lines, with the words of each point,
// the feeds and the torch lines the profile's keys give.
class ProfileProgram {
 public:
  ProfileProgram(const ComputedJob& job, const ProgramHeader& header, const MachineProfile& profile)
      : header_(header),
        profile_(profile),
        described_(WritesDescribedProgram(profile)),
        degrees_(profile.axes == AxisForm::Degrees),
        tilts_(described_ || JobTilts(job)),
        tiltLetter_(described_ ? std::string_view(header.axisLetter) : Trimmed(header.axisLetter)),
        cuts_(MachineCuts(job, profile)) {}

  std::string text() {
    AppendHeaderComments(text_, header_);
    if (!described_) AppendLine(text_, "(Machine " + CommentText(profile_.title) + ")");
    AppendSetupLines(text_);
    AppendLine(text_, "F" + ShortNumber(profile_.rapidFeed));
    if (degrees_) AppendLine(text_, "G93 (inverse time feed)");
    for (std::size_t i = 0; i < cuts_.size(); ++i)
      appendCut(static_cast<int>(i + 1), cuts_[i]);
    if (degrees_) AppendLine(text_, "G94 (units per minute feed)");
    if (described_) {
      AppendLine(text_, "G0 X 0.000 Y 0.000 Z 0.000");
    } else {
      appendPoint("G0", PathPoint{});
      text_ += "\r\n";
    }
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
    Written last = appendPoint("G0", cut.front());
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
      const Written at = appendPoint("G1", cut[i]);
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

  // "G1 X .. Y .. A .." (mm) or "G1 X .. A .. B .." (degrees, rotation then tilt), no line end;
  // the tilt word only when the program addresses the tilt axis.
  Written appendPoint(std::string_view move, const PathPoint& point) {
    text_ += move;
    Written written{appendWord(" X ", point.x), 0};
    if (degrees_) {
      const char word[] = {' ', profile_.rotationLetter, ' ', '\0'};
      written.turn = appendWord(word, RotationDegrees(point.y, header_.tubeDiameter));
    } else {
      written.turn = appendWord(" Y ", point.y);
    }
    if (tilts_) {
      text_ += ' ';
      text_ += tiltLetter_;
      appendWord(" ", point.tilt);
    }
    return written;
  }

  // The word's number with three decimals; the value the controller reads from it.
  double appendWord(std::string_view prefix, double value) {
    text_ += prefix;
    const std::size_t start = text_.size();
    AppendNumber(text_, value, "#.000");
    return ParseNumber(std::string_view(text_).substr(start));
  }

  const ProgramHeader& header_;
  const MachineProfile& profile_;
  const bool described_;
  const bool degrees_;
  const bool tilts_;
  const std::string_view tiltLetter_;
  const std::vector<MachineCut> cuts_;
  std::string text_;
};

}  // namespace

namespace {

// The torch paths of both ends and the holes with what to note about them, or why the options
// refuse one.
struct PlannedCuts {
  std::vector<MachineCut> cuts;
  std::vector<std::string> notes;
};

std::variant<PlannedCuts, std::string> PlanCuts(const ComputedJob& job,
                                                const ToolpathOptions& options) {
  PlannedCuts planned;
  std::vector<ToolpathPlan> plans;
  for (const int side : {-1, 1})
    plans.push_back(PlanEndToolpath(job, side, options));
  for (std::size_t hole = 0; hole < job.holes.size(); ++hole)
    plans.push_back(PlanHoleToolpath(job, hole, options));
  for (const ToolpathPlan& plan : plans) {
    if (const auto* problem = std::get_if<std::string>(&plan)) return *problem;
    const Toolpath& path = std::get<Toolpath>(plan);
    MachineCut& cut = planned.cuts.emplace_back();
    for (const TorchPoint& point : path.points)
      cut.push_back({point.x, point.y, point.tilt});
    planned.notes.insert(planned.notes.end(), path.notes.begin(), path.notes.end());
  }
  return planned;
}

}  // namespace

std::vector<MachineCut> MachineCuts(const ComputedJob& job, const MachineProfile& profile) {
  if (!WritesDescribedProgram(profile)) {
    auto planned = PlanCuts(job, profile.toolpath);
    if (auto* cuts = std::get_if<PlannedCuts>(&planned)) return std::move(cuts->cuts);
    return {};
  }
  std::vector<const CutPoints*> paths{&job.left.path, &job.right.path};
  for (const HoleCut& hole : job.holes)
    paths.push_back(&hole.path);
  std::vector<MachineCut> cuts;
  for (const CutPoints* end : paths) {
    MachineCut& cut = cuts.emplace_back();
    for (int i = 0; i <= job.parameters.cutSegments; ++i)
      cut.push_back({end->x[i], end->y[i], end->z[i]});
  }
  return cuts;
}

std::vector<std::string> MachineProgramNotes(const ComputedJob& job,
                                             const MachineProfile& profile) {
  if (WritesDescribedProgram(profile)) return {};
  auto planned = PlanCuts(job, profile.toolpath);
  if (auto* cuts = std::get_if<PlannedCuts>(&planned)) return std::move(cuts->notes);
  return {};
}

bool JobTilts(const ComputedJob& job) {
  bool tilts = job.parameters.left.mode3d == 1 || job.parameters.right.mode3d == 1;
  for (const HoleParameters& hole : job.parameters.holes)
    tilts = tilts || hole.mode3d == 1;
  return tilts;
}

std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile) {
  if (auto problem = GcodeProgramProblem(job, header.tubeDiameter)) return problem;
  if (WritesDescribedProgram(profile)) return std::nullopt;
  const bool degrees = profile.axes == AxisForm::Degrees;
  if (degrees && !(header.tubeDiameter > 0)) {
    return std::string("the tube DIAMETER must be above 0 for a rotation in degrees");
  }
  if (auto planned = PlanCuts(job, profile.toolpath);
      std::holds_alternative<std::string>(planned)) {
    return std::get<std::string>(std::move(planned));
  }
  if (!JobTilts(job)) return std::nullopt;
  const std::string_view tilt = Trimmed(header.axisLetter);
  const char letter = tilt.size() == 1 ? static_cast<char>(std::toupper(tilt[0])) : '\0';
  std::string reason;
  if (degrees && letter == profile.rotationLetter) {
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
  return "ANGLE LETTER \"" + header.axisLetter + "\" is " + reason +
         "; the torch tilt of a 3D MODE end needs an angular axis of its own";
}

std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile) {
  if (MachineProgramProblem(job, header, profile)) return std::string();
  if (WritesDescribedProgram(profile)) return FormatGcodeProgram(job, header);
  return FormatProfileProgram(job, header, profile);
}

std::string FormatProfileProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile) {
  if (MachineProgramProblem(job, header, profile)) return std::string();
  return ProfileProgram(job, header, profile).text();
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
