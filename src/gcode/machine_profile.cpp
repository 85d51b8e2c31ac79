#include "gcode/machine_profile.h"

#include <variant>

#include "gcode/profile_parser.h"

namespace korvex {
namespace {

// The texts a user can copy into the configuration folder and edit; a key left out keeps the
// described program's value.
constexpr std::string_view kDescribedText =
    "# The program KORVEX has always written: X along the tube, Y the unrolled\n"
    "# circumference in mm, the tilt on the ANGLE LETTER axis, the torch as a spindle\n"
    "# after a 2 s pierce dwell. Every other key keeps this profile's value.\n"
    "title = described\n"
    "axes = mm\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 2.0\n"
    "torch-on = S5000M03 (Spindle 5000rpm cw)\n"
    "torch-off = M5\n"
    "before-cut =\n"
    "after-cut =\n";

constexpr std::string_view kRotaryDegreesText =
    "# The tube's rotation on an angular axis in degrees, so one machine configuration\n"
    "# serves every tube diameter. Feed moves use inverse time (G93): each F makes the\n"
    "# torch cross the tube's outer surface at the cutting feed.\n"
    "title = rotary A in degrees\n"
    "axes = degrees\n"
    "rotation-letter = A\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 2.0\n"
    "torch-on = S5000M03 (Spindle 5000rpm cw)\n"
    "torch-off = M5\n"
    "before-cut =\n"
    "after-cut =\n";

constexpr std::string_view kPlasmaText =
    "# A plasma controller that fires the torch on spindle 0 and takes the pierce delay,\n"
    "# kerf and material from its own table: no dwell in the program.\n"
    "title = plasma controller\n"
    "axes = mm\n"
    "feed = 1000\n"
    "rapid-feed = 2000\n"
    "pierce-delay = 0\n"
    "torch-on = M3 $0 S1\n"
    "torch-off = M5 $0\n"
    "before-cut =\n"
    "after-cut =\n";

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
         profile.afterCut.empty();
}

std::optional<MachineProfile> FindBuiltInProfile(std::string_view name) {
  for (const BuiltInProfile& builtIn : BuiltInProfiles()) {
    if (builtIn.profile.name == name) return builtIn.profile;
  }
  return std::nullopt;
}

}  // namespace korvex
