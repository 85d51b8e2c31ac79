#include "cli/machine_listing.h"

#include <algorithm>

#include "app/machine_profiles.h"

namespace korvex {

CliOutcome ListMachines(const std::string& folder) {
  std::string folderProblem;
  const std::vector<MachineEntry> entries = LoadMachineEntries(folder, &folderProblem);
  std::size_t width = 0;
  for (const MachineEntry& entry : entries)
    width = std::max(width, entry.name.size());

  CliOutcome outcome;
  if (!folderProblem.empty()) outcome = {1, {}, "korvex-cli: " + folderProblem + "\n"};
  for (const MachineEntry& entry : entries) {
    if (!entry.profile) {
      outcome.exitStatus = 1;
      outcome.error += MachineFailure(entry).error;
      continue;
    }
    outcome.output += entry.name + std::string(width + 2 - entry.name.size(), ' ') +
                      entry.profile->title + " (" +
                      (entry.path.empty() ? std::string("built in") : entry.path) + ")\n";
  }
  return outcome;
}

CliOutcome ShowMachine(const std::string& name) {
  for (const BuiltInProfile& builtIn : BuiltInProfiles()) {
    if (builtIn.profile.name == name) return {0, std::string(builtIn.text), {}};
  }
  return {1, {}, "korvex-cli: no built-in machine profile is named \"" + name + "\"\n"};
}

}  // namespace korvex
