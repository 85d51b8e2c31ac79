#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gcode/machine_profile.h"

namespace korvex {

// The folder of the user's machine profiles: XDG_CONFIG_HOME/korvex/machines, or
// HOME/.config/korvex/machines when XDG_CONFIG_HOME is not set. Empty when neither is.
std::string MachinesFolderFor(const char* xdgConfigHome, const char* home);
std::string UserMachinesFolder();

// One profile the user can choose: read, or the mistakes that keep it from being used.
struct MachineEntry {
  std::string name;
  std::string path;  // the file it was read from; empty for a built-in
  std::optional<MachineProfile> profile;
  std::vector<std::string> problems;  // each "FILE:LINE: what is wrong"
  std::vector<std::string> warnings;  // what the user should know, though the profile is used
};

// Reads a profile file; its name is the file name without ".machine".
MachineEntry ReadMachineFile(const std::string& path);

// The built-in profiles, the described one first, then every *.machine file of folder by name.
// A file named like a built-in is reported: built-in profiles are copied under a new name. A
// folder that exists but cannot be read sets folderProblem, when given.
std::vector<MachineEntry> LoadMachineEntries(const std::string& folder,
                                             std::string* folderProblem = nullptr);

// The profile a command line names: a file when the text holds a "/" or ends in ".machine",
// otherwise a built-in or a profile of folder by name. A file of folder named like the built-in
// is not used, and a warning says so; a folder that cannot be searched is a problem.
MachineEntry FindMachine(const std::string& nameOrFile, const std::string& folder);

}  // namespace korvex
