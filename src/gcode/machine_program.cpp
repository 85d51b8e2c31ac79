#include "gcode/machine_program.h"

#include <cctype>
#include <string_view>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "gcode/comment_text.h"
#include "gcode/rotary_motion.h"

namespace korvex {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A feed or a delay without trailing zeros: 1000, 2.5, 358.4231.
std::string ShortNumber(double value) {
  std::string text = FormatNumber(value, "#.0000");
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

// Writes one profile's program: the words of each point and the feed of each move follow the
// profile's axis form.
class ProfileProgram {
 public:
  ProfileProgram(const ComputedJob& job, const ProgramHeader& header, const MachineProfile& profile)
      : job_(job),
        header_(header),
        profile_(profile),
        degrees_(profile.axes == AxisForm::Degrees),
        tiltLetter_(Trimmed(header.axisLetter)) {}

  std::string text() {
    AppendLine(text_, "(KORVEX program for the machine: " + profile_.title + ")");
    AppendLine(text_, "(Begin " + CommentPath(header_.projectPath, kLongestProgramLine - 8) + ")");
    AppendLine(text_, "(TUBE DIAMETER " + FormatNumber(header_.tubeDiameter, "000.0") + ")");
    AppendLine(text_, "(Objects " + FormatNumber(header_.objectCount, "000") + ")");
    AppendLine(text_, "G21 (Unit IN mm)");
    AppendLine(text_, "G90 (Absolute distance MODE)");
    AppendLine(text_, "G64 P0.1 (exact path mode)");
    AppendLine(text_, "G17");
    AppendLine(text_, "G40 (CANCEL diameter comp.)");
    AppendLine(text_, "G49 (CANCEL length comp.)");
    AppendLine(text_, "F" + ShortNumber(profile_.rapidFeed));
    if (degrees_) AppendLine(text_, "G93 (inverse time feed)");
    appendObject(1, job_.left.path);
    appendObject(2, job_.right.path);
    if (degrees_) AppendLine(text_, "G94 (units per minute feed)");
    text_ += "G0 X 0.000 ";
    text_ += degrees_ ? profile_.rotationLetter : 'Y';
    text_ += " 0.000 ";
    text_ += tiltLetter_;
    AppendLine(text_, " 0.000");
    AppendLine(text_, "M2 (Program end)");
    return std::move(text_);
  }

 private:
  void appendObject(int number, const CutPoints& cut) {
    const int segments = job_.parameters.cutSegments;
    AppendLine(text_, "(Object " + FormatNumber(number, "000") + ", " +
                          FormatNumber(segments + 1, "000") + " points)");
    appendPoint("G0", cut, 0);
    text_ += "\r\n";
    if (!degrees_) AppendLine(text_, "F" + ShortNumber(profile_.cuttingFeed));
    AppendLine(text_, profile_.torchOn);
    if (profile_.pierceDelay > 0) AppendLine(text_, "G4 P" + ShortNumber(profile_.pierceDelay));
    for (int i = 1; i <= segments; ++i) {
      appendPoint("G1", cut, i);
      if (degrees_) {
        const double length = SurfaceLength(cut.x[i] - cut.x[i - 1], cut.y[i] - cut.y[i - 1]);
        text_ += " F" + ShortNumber(InverseTimeFeed(length, profile_.cuttingFeed));
      }
      text_ += "\r\n";
    }
    AppendLine(text_, profile_.torchOff);
  }

  // "G1 X .. Y .. A .." (mm) or "G1 X .. A .. B .." (degrees, rotation then tilt), no line end.
  void appendPoint(std::string_view move, const CutPoints& cut, int i) {
    text_ += move;
    text_ += " X ";
    AppendNumber(text_, cut.x[i], "#.000");
    if (degrees_) {
      text_ += ' ';
      text_ += profile_.rotationLetter;
      text_ += ' ';
      AppendNumber(text_, RotationDegrees(cut.y[i], header_.tubeDiameter), "#.000");
    } else {
      text_ += " Y ";
      AppendNumber(text_, cut.y[i], "#.000");
    }
    text_ += ' ';
    text_ += tiltLetter_;
    text_ += ' ';
    AppendNumber(text_, cut.z[i], "#.000");
  }

  const ComputedJob& job_;
  const ProgramHeader& header_;
  const MachineProfile& profile_;
  const bool degrees_;
  const std::string_view tiltLetter_;
  std::string text_;
};

}  // namespace

std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile) {
  if (auto problem = GcodeProgramProblem(job, header.tubeDiameter)) return problem;
  if (!job.holes.empty() && !WritesDescribedProgram(profile)) {
    return "the machine " + profile.title + " does not cut holes yet; the described program does";
  }
  if (profile.axes != AxisForm::Degrees) return std::nullopt;
  const std::string_view tilt = Trimmed(header.axisLetter);
  const char letter = tilt.size() == 1 ? static_cast<char>(std::toupper(tilt[0])) : '\0';
  if (letter == profile.rotationLetter || letter == 'X') {
    return "ANGLE LETTER \"" + header.axisLetter + "\" is the " +
           (letter == 'X' ? std::string("axis along the tube") : "rotation axis") +
           " of the machine " + profile.title + "; the torch tilt needs another axis";
  }
  if (!(header.tubeDiameter > 0)) {
    return std::string("the tube DIAMETER must be above 0 for a rotation in degrees");
  }
  return std::nullopt;
}

std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile) {
  if (MachineProgramProblem(job, header, profile)) return std::string();
  if (WritesDescribedProgram(profile)) return FormatGcodeProgram(job, header);
  return ProfileProgram(job, header, profile).text();
}


}  // namespace korvex
