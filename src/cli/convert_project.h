#pragma once

#include <optional>
#include <string>

namespace korvex {

struct CliOptions;
struct MachineEntry;
struct MachineProfile;

// What a run of the converter gives back: the exit status and the text for standard output
// and standard error.
struct CliOutcome {
  int exitStatus = 0;
  std::string output;
  std::string error;
};

// Opens the project as OPEN does into a panel with its defaults, rebuilds the job, writes the
// program as SAVE G CODE does and reports X LENGTH and Y LENGTH. On any failure nothing is
// written and the error holds one line.
CliOutcome ConvertProject(const CliOptions& options);

// Status 1 and one line per mistake of a profile that cannot be used.
CliOutcome MachineFailure(const MachineEntry& machine);

// Status 2 when --axis-letter names another axis than the one the machine tilts the torch on:
// the option serves the profiles that tilt on the ANGLE LETTER, and the others where it agrees.
std::optional<CliOutcome> AxisLetterConflict(const std::optional<std::string>& axisLetter,
                                             const MachineProfile& profile);

}  // namespace korvex
