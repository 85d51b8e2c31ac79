#include "cli/cli_options.h"

#include <cctype>

#include "template/paper.h"

namespace korvex {
namespace {

struct ValueOption {
  std::string_view name;
  std::optional<std::string> CliOptions::*target;
};

constexpr ValueOption kValueOptions[] = {
    {"--axis-letter", &CliOptions::axisLetter},
    {"--at-angle", &CliOptions::atAngle},
    {"--template", &CliOptions::templatePath},
    {"--dxf", &CliOptions::dxfPath},
    {"--paper", &CliOptions::paper},
    {"--machine", &CliOptions::machine},
    {"--show-machine", &CliOptions::shownMachine},
};

const ValueOption* FindValueOption(std::string_view name) {
  for (const ValueOption& option : kValueOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool LooksLikeOption(std::string_view argument) {
  return argument.size() > 1 && argument.front() == '-';
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && Lowered(text.substr(text.size() - end.size())) == end;
}

// Checks the outputs' file types and the paper, and records what they choose.
std::optional<std::string> ReadShopOptions(CliOptions& options) {
  if (const auto& path = options.templatePath) {
    if (EndsWithIgnoringCase(*path, ".svg")) {
      options.templateKind = ShopOutput::SvgTemplate;
    } else if (!EndsWithIgnoringCase(*path, ".pdf")) {
      return "--template needs a file name ending in .pdf or .svg";
    }
  }
  if (options.dxfPath && !EndsWithIgnoringCase(*options.dxfPath, ".dxf")) {
    return "--dxf needs a file name ending in .dxf";
  }
  if (options.paper) {
    const std::optional<Paper> paper = PaperNamed(*options.paper);
    if (!paper) return "--paper must be a4, letter, a4-landscape or letter-landscape";
    if (!options.templatePath || options.templateKind != ShopOutput::PdfTemplate) {
      return "--paper sets the pages of a PDF template: give --template FILE.pdf with it";
    }
    options.templatePaper = *paper;
  }
  return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCliArguments(std::span<const std::string_view> arguments) {
  ParsedCommandLine parsed;
  CliOptions& options = parsed.options;
  std::optional<std::string> error;
  std::size_t fileCount = 0;
  bool optionsEnded = false;
  bool listMachines = false;

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || !LooksLikeOption(argument)) {
      ++fileCount;
      if (argument.empty() && !error) error = "a file name is empty";
      if (fileCount == 1) options.projectPath = argument;
      if (fileCount == 2) options.outputPath = argument;
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      options.action = CliOptions::Action::ShowHelp;
      return parsed;
    } else if (argument == "--version") {
      options.action = CliOptions::Action::ShowVersion;
    } else if (argument == "--list-machines") {
      listMachines = true;
    } else {
      const std::size_t equals = argument.find('=');
      const ValueOption* option = FindValueOption(argument.substr(0, equals));
      if (option == nullptr) {
        if (!error) error = "unknown option " + std::string(argument);
      } else if (equals != std::string_view::npos) {
        options.*(option->target) = std::string(argument.substr(equals + 1));
      } else if (i + 1 < arguments.size()) {
        options.*(option->target) = std::string(arguments[++i]);
      } else if (!error) {
        error = std::string(option->name) + " needs a value";
      }
    }
  }

  if (options.action == CliOptions::Action::ShowVersion) return parsed;
  if (listMachines || options.shownMachine) {
    options.action =
        listMachines ? CliOptions::Action::ListMachines : CliOptions::Action::ShowMachine;
    if (!error && fileCount != 0) error = "no files are read when machines are listed or shown";
    parsed.usageError = error;
    return parsed;
  }
  const bool shopOutput = options.templatePath || options.dxfPath;
  if (!error) error = ReadShopOptions(options);
  if (!error && (fileCount > 2 || fileCount < (shopOutput ? 1 : 2))) {
    error = fileCount > 2 ? "only one project file and one output file can be given"
            : fileCount == 0 && shopOutput ? "a project file is needed"
                                           : "a project file and an output file are needed";
  }
  parsed.usageError = error;
  return parsed;
}

std::string UsageText() {
  return "Usage: korvex-cli [--axis-letter L] [--at-angle DEG] [--machine NAME|FILE]\n"
         "                  PROJECT.kvx OUTPUT.ngc\n"
         "       korvex-cli [--template FILE.pdf|FILE.svg] [--paper PAPER] [--dxf FILE.dxf]\n"
         "                  [--machine NAME|FILE] PROJECT.kvx [OUTPUT.ngc]\n"
         "       korvex-cli --list-machines | --show-machine NAME\n"
         "\n"
         "Turns a KORVEX project into a G-code program for the tube cutter and prints the\n"
         "part's X LENGTH and Y LENGTH. With --template or --dxf the program is written only\n"
         "when OUTPUT.ngc is given.\n"
         "\n"
         "  --axis-letter L       address letter of the torch tilt axis (default A)\n"
         "  --at-angle DEG        where round the tube Y LENGTH is measured (default 180)\n"
         "  --machine NAME|FILE   the machine profile the program is written for: a built-in\n"
         "                        or user profile by name, or a .machine file (default:\n"
         "                        described)\n"
         "  --list-machines       list the built-in profiles and those of\n"
         "                        ~/.config/korvex/machines\n"
         "  --show-machine NAME   print a built-in profile's text, to copy and edit\n"
         "  --template FILE       also write both end cuts as 1:1 wrap-around templates\n"
         "                        (PDF tiled over pages, or one SVG sheet)\n"
         "  --paper PAPER         the PDF's paper: a4 (default), letter, a4-landscape or\n"
         "                        letter-landscape; print at 100 %, never scaled to fit\n"
         "  --dxf FILE            also write both flat patterns as a DXF (mm)\n"
         "  --help                show this text\n"
         "  --version             show the version\n"
         "\n"
         "Exit status: 0 on success, 1 when the job or a file fails, 2 for a usage error.\n";
}

}  // namespace korvex
