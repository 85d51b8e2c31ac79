#pragma once

#include <string>

#include "cli/convert_project.h"

namespace korvex {

// One line per profile the user can choose, built-in ones first: its name, its title and where it
// comes from. Profiles with mistakes are reported on standard error, with status 1.
CliOutcome ListMachines(const std::string& folder);

// The text of the built-in profile named name, to copy into the configuration folder.
CliOutcome ShowMachine(const std::string& name);

}  // namespace korvex
