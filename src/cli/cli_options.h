#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvex {

// What the command line asks for.
struct CliOptions {
  enum class Action { Convert, ShowHelp, ShowVersion };

  Action action = Action::Convert;
  std::optional<std::string> axisLetter;  // replaces the panel's ANGLE LETTER
  std::optional<std::string> atAngle;     // replaces the panel's AT ANGLE
  std::string projectPath;
  std::string outputPath;
};

struct ParsedCommandLine {
  CliOptions options;
  std::optional<std::string> usageError;
};

// Reads the arguments after the program name. "--help" and "--version" win over everything
// else; "--" ends the options, so a file name may begin with "-".
ParsedCommandLine ParseCliArguments(std::span<const std::string_view> arguments);

std::string UsageText();

}  // namespace korvex
