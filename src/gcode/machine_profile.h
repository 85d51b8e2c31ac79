#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolpath/toolpath_options.h"

namespace korvex {

// How the program addresses the turn of the tube.
enum class AxisForm {
  Millimetres,  // Y carries the unrolled circumference in mm
  Degrees,      // an angular axis carries the tube's rotation in degrees, with inverse-time feed
};

// Where a program puts the torch's tilt.
enum class TiltAxis {
  AngleLetter,  // on the job's ANGLE LETTER axis, as the described program does
  Own,          // on the profile's own tilt letter, whatever ANGLE LETTER says
  None,         // the machine has no tilt axis: a job that tilts is refused
};

// What one machine differs in. These defaults are the described program's values; a profile
// file takes them for every key it leaves out but the tool lines and the tilt axis, which a
// machine gets only when its profile gives them.
struct MachineProfile {
  std::string name;   // what --machine takes: the file name without ".machine"
  std::string title;  // what the user is shown
  AxisForm axes = AxisForm::Millimetres;
  char rotationLetter = 'A';  // the angular axis of the degrees form
  double cuttingFeed = 1000;  // mm/min along the tube's outer surface
  bool materialFeed = false;  // the controller's material table gives the cutting feed
  double rapidFeed = 2000;    // the feed the program's header sets before any cut
  double pierceDelay = 2.0;   // seconds at a cut's first point; 0 writes no dwell
  std::string torchOn = "S5000M03 (Spindle 5000rpm cw)";
  std::string torchOff = "M5";
  std::string beforeCut;  // a line after the rapid to a cut's pierce point; none when empty
  std::string afterCut;   // a line after the torch stops
  std::string toolTable = "G10 L1 P2 R0.75";            // sets tool data; none when empty
  std::string toolChange = "T1M6 (Tool change TO T1)";  // selects the torch; none when empty
  TiltAxis tiltAxis = TiltAxis::AngleLetter;
  char tiltLetter = 'B';     // the tilt axis of TiltAxis::Own
  ToolpathOptions toolpath;  // kerf, leads, overcut, start, sampling; all 0 follow the points
};

// The ranges a profile's numbers are kept in, so that every program line stays short and every
// F and P word is one a controller reads as written.
struct NumberRange {
  double low;
  double high;
};
inline constexpr NumberRange kFeedRange{1, 100000};      // mm/min
inline constexpr NumberRange kPierceDelayRange{0, 100};  // seconds
inline constexpr std::size_t kMaxCodeTextLength = 200;   // well within a program line
inline constexpr std::size_t kMaxTitleLength = 100;
inline constexpr NumberRange kKerfRange{0, 20};            // mm
inline constexpr NumberRange kLeadRange{0, 50};            // mm, the leads and the overcut
inline constexpr NumberRange kStartAngleRange{-360, 360};  // degrees
inline constexpr NumberRange kToleranceRange{0.001, 10};   // mm, or 0 for the CUT SEGMENTS steps

// The feed word of QtPlasmaC's material table, for feed = material.
inline constexpr std::string_view kMaterialFeedParameter = "#<_hal[plasmac.cut-feed-rate]>";

// The file name ending of profile files.
inline constexpr std::string_view kMachineFileExtension = ".machine";

// A built-in profile: its parsed values and the documented text they come from.
struct BuiltInProfile {
  MachineProfile profile;
  std::string_view text;
};

// The built-in profiles, the described one first.
const std::vector<BuiltInProfile>& BuiltInProfiles();

// True when the profile writes the described program: millimetre axes and every value the
// described program has, the toolpath options, tool lines and tilt axis included.
bool WritesDescribedProgram(const MachineProfile& profile);

// The built-in profile named name, if any.
std::optional<MachineProfile> FindBuiltInProfile(std::string_view name);

}  // namespace korvex
