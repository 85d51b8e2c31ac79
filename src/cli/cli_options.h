#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "template/template_files.h"

namespace korvex {

// What the command line asks for.
struct CliOptions {
  enum class Action { Convert, ShowHelp, ShowVersion, ListMachines, ShowMachine };

  Action action = Action::Convert;
  std::optional<std::string> axisLetter;    // replaces the panel's ANGLE LETTER
  std::optional<std::string> atAngle;       // replaces the panel's AT ANGLE
  std::optional<std::string> templatePath;  // a .pdf or .svg wrap-around template
  std::optional<std::string> dxfPath;       // the flat pattern
  std::optional<std::string> paper;         // the PDF's paper as given
  std::optional<std::string> machine;       // a profile's name or file; the described one if not
  std::optional<std::string> shownMachine;  // the built-in profile whose text is printed
  ShopOutput templateKind = ShopOutput::PdfTemplate;  // by the template's extension
  Paper templatePaper = Paper::A4;                   // by --paper, A4 unless given
  std::string projectPath;
  std::string outputPath;  // the program; empty when only a template or pattern is asked for
};

struct ParsedCommandLine {
  CliOptions options;
  std::optional<std::string> usageError;
};

// Reads the arguments after the program name. "--help" and "--version" win over everything
// else, then "--list-machines" and "--show-machine"; "--" ends the options, so a file name may
// begin with "-". OUTPUT.ngc may be left out when --template or --dxf is given. File types and
// paper names are read without regard to case.
ParsedCommandLine ParseCliArguments(std::span<const std::string_view> arguments);

std::string UsageText();

}  // namespace korvex
