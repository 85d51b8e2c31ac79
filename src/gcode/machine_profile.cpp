#include "gcode/machine_profile.h"

#include <variant>

#include "gcode/profile_parser.h"

namespace korvex {
namespace {

// The texts a user can copy into the configuration folder and edit; a key left out keeps the
// described program's value, the tool lines and the tilt axis excepted.
constexpr std::string_view kDescribedText =
    "# The program KORVEX has always written: X along the tube, Y the unrolled\n"
    "# circumference in mm, the tilt on the ANGLE LETTER axis, the torch as a spindle\n"
    "# after a 2 s pierce dwell, tool 2's radius set and tool 1 loaded. A key left out\n"
    "# keeps this profile's value, except that tool lines and a tilt axis left out are\n"
    "# none.\n"
    "title = described\n"
    "axes = mm\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 2.0\n"
    "torch-on = S5000M03 (Spindle 5000rpm cw)\n"
    "torch-off = M5\n"
    "before-cut =\n"
    "after-cut =\n"
    "tool-table = G10 L1 P2 R0.75\n"
    "tool-change = T1M6 (Tool change TO T1)\n"
    "tilt-axis = angle-letter\n"
    "good-side = right\n"
    "kerf = 0\n"
    "lead-in = 0\n"
    "lead-out = 0\n"
    "lead-shape = arc\n"
    "overcut = 0\n"
    "start-angle = 0\n"
    "tolerance = 0\n";

constexpr std::string_view kRotaryDegreesText =
    "# The tube's rotation on an angular axis in degrees, so one machine configuration\n"
    "# serves every tube diameter. Feed moves use inverse time (G93): each F makes the\n"
    "# torch cross the tube's outer surface at the cutting feed. The torch tilts on B,\n"
    "# which every program leaves at 0; the tool table is left alone.\n"
    "title = rotary A in degrees\n"
    "axes = degrees\n"
    "rotation-letter = A\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 2.0\n"
    "torch-on = S5000M03 (Spindle 5000rpm cw)\n"
    "torch-off = M5\n"
    "before-cut =\n"
    "after-cut =\n"
    "tool-table =\n"
    "tool-change =\n"
    "tilt-axis = B\n"
    "good-side = right\n"
    "kerf = 0\n"
    "lead-in = 0\n"
    "lead-out = 0\n"
    "lead-shape = arc\n"
    "overcut = 0\n"
    "start-angle = 0\n"
    "tolerance = 0\n";

constexpr std::string_view kPlasmaText =
    "# A plasma controller that fires the torch on spindle 0 and takes the pierce delay\n"
    "# and material from its own table: no dwell in the program. kerf runs the torch\n"
    "# off the part line here; the program's G40 keeps the controller's own offset off.\n"
    "# Only X and Y move: no tilt axis (a 3D MODE job is refused), no tool lines.\n"
    "title = plasma controller\n"
    "axes = mm\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 0\n"
    "torch-on = M3 $0 S1\n"
    "torch-off = M5 $0\n"
    "before-cut =\n"
    "after-cut =\n"
    "tool-table =\n"
    "tool-change =\n"
    "tilt-axis = none\n"
    "good-side = right\n"
    "kerf = 0\n"
    "lead-in = 0\n"
    "lead-out = 0\n"
    "lead-shape = arc\n"
    "overcut = 0\n"
    "start-angle = 0\n"
    "tolerance = 0\n";

BuiltInProfile BuiltIn(const char* name, std::string_view text) {
  // The texts are part of the program and tested; a mistake in one is a build's fault.
  return {std::get<MachineProfile>(ParseMachineProfile(text, name, name)), text};
}

}  // namespace

const std::vector<BuiltInProfile>& BuiltInProfiles() {
  static const std::vector<BuiltInProfile> profiles = {
      BuiltIn("described", kDescribedText),
      BuiltIn("rotary-degrees", kRotaryDegreesText),
      BuiltIn("plasma", kPlasmaText),
  };
  return profiles;
}

bool WritesDescribedProgram(const MachineProfile& profile) {
  const MachineProfile described;
  return profile.axes == AxisForm::Millimetres && profile.cuttingFeed == described.cuttingFeed &&
         profile.rapidFeed == described.rapidFeed && profile.pierceDelay == described.pierceDelay &&
         !profile.materialFeed && profile.torchOn == described.torchOn &&
         profile.torchOff == described.torchOff && profile.beforeCut.empty() &&
         profile.afterCut.empty() && profile.toolTable == described.toolTable &&
         profile.toolChange == described.toolChange && profile.tiltAxis == described.tiltAxis &&
         profile.toolpath == described.toolpath;
}

std::optional<MachineProfile> FindBuiltInProfile(std::string_view name) {
  for (const BuiltInProfile& builtIn : BuiltInProfiles()) {
    if (builtIn.profile.name == name) return builtIn.profile;
  }
  return std::nullopt;
}

}  // namespace korvex
