#include "cli/run_command_line.h"

#include "app/machine_profiles.h"
#include "cli/cli_options.h"
#include "cli/cut_list_command.h"
#include "cli/machine_listing.h"

namespace korvex {

CliOutcome RunCommandLine(std::span<const std::string_view> arguments, std::string_view version) {
  if (IsCutListCommand(arguments)) return RunCutListCommand(arguments);
  const ParsedCommandLine parsed = ParseCliArguments(arguments);
  switch (parsed.options.action) {
    case CliOptions::Action::ShowHelp:
      return {0, UsageText() + CutListUsageText(), {}};
    case CliOptions::Action::ShowVersion:
      return {0, "korvex-cli " + std::string(version) + "\n", {}};
    case CliOptions::Action::Convert:
    case CliOptions::Action::ListMachines:
    case CliOptions::Action::ShowMachine:
      break;
  }
  if (parsed.usageError) {
    return {2, {}, "korvex-cli: " + *parsed.usageError + " (see korvex-cli --help)\n"};
  }
  if (parsed.options.action == CliOptions::Action::ListMachines) {
    return ListMachines(UserMachinesFolder());
  }
  if (parsed.options.action == CliOptions::Action::ShowMachine) {
    return ShowMachine(*parsed.options.shownMachine);
  }
  return ConvertProject(parsed.options);
}

}  // namespace korvex
