#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvex {

// What the command line asks for.
struct CliOptions {
  enum class Action { Convert, ShowHelp, ShowVersion, ListMachines, ShowMachine };

  Action action = Action::Convert;
  std::optional<std::string> axisLetter;    // replaces the panel's ANGLE LETTER
  std::optional<std::string> atAngle;       // replaces the panel's AT ANGLE
  std::optional<std::string> machine;       // a profile's name or file; the described one if not
  std::optional<std::string> shownMachine;  // the built-in profile whose text is printed
  std::string projectPath;
  std::string outputPath;
};

struct ParsedCommandLine {
  CliOptions options;
  std::optional<std::string> usageError;
};

// Reads the arguments after the program name. "--help" and "--version" win over everything
// else, then "--list-machines" and "--show-machine"; "--" ends the options, so a file name may
// begin with "-".
ParsedCommandLine ParseCliArguments(std::span<const std::string_view> arguments);

std::string UsageText();

}  // namespace korvex
