#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"

namespace korvex {

// One point of a torch path: x along the tube (mm), y the unrolled circumference (mm), the torch
// tilt (degrees).
struct PathPoint {
  double x = 0;
  double y = 0;
  double tilt = 0;
};

// One cut: pierced at the first point, then cut through the others in order.
using MachineCut = std::vector<PathPoint>;

// The letter of the axis the profile's programs tilt the torch on: its own, or the ANGLE LETTER
// as written (blanks around it dropped). Nothing when the machine has no tilt axis.
std::optional<std::string> TiltLetter(const MachineProfile& profile, std::string_view angleLetter);

// Why the profile's program cannot address the tilt as it must, or nothing when it can. Every
// program of a machine with a tilt axis puts it at 0, so with the ANGLE LETTER as the tilt axis
// the letter may be neither the rotation axis, X nor Z (linear axes count in the controller's
// feed length, and plasma configurations drop Z words); cuts that tilt need a tilt axis.
std::optional<std::string> TiltProblem(const MachineProfile& profile, std::string_view angleLetter,
                                       bool tilts);

// The program of already planned cuts for a profile's machine: the described program's header
// comments, the machine's title, the mode lines and the profile's tool lines, the tilt axis put
// to 0, each cut as an object (the rapid to its pierce, its cut lines, the feed moves through its
// points, the tilt word only when the cuts tilt), and the rapid home with the tilt at 0. The
// header's object count and diameter are written as given. Empty when TiltProblem names one.
std::string FormatCutsProgram(const std::vector<MachineCut>& cuts, const ProgramHeader& header,
                              const MachineProfile& profile, bool tilts);

// The seconds a machine takes for the cuts with the profile: from X 0 Y 0 a rapid at the rapid
// feed to each cut's first point, its pierce delay, its feed moves at the cutting feed along the
// tube's surface, and the rapid home after the last cut. Nothing when the controller's material
// table sets the feed.
std::optional<double> EstimateCutTime(const std::vector<MachineCut>& cuts,
                                      const MachineProfile& profile);

// "m:ss", the seconds rounded to the nearest.
std::string FormatCutTime(double seconds);

}  // namespace korvex
