#include "cli/convert_project.h"

#include <cctype>
#include <iterator>
#include <optional>
#include <vector>

#include "app/cut_part.h"
#include "app/machine_profiles.h"
#include "app/part_loading.h"
#include "app/part_panel.h"
#include "app/shop_output.h"
#include "base/file_helpers.h"
#include "base/format_number.h"
#include "base/parse_number.h"
#include "cli/cli_options.h"
#include "gcode/axis_letter.h"
#include "gcode/machine_program.h"
#include "gcode/profile_parser.h"

namespace korvex {
namespace {

CliOutcome Failure(const std::string& line) {
  return {1, {}, "korvex-cli: " + line + "\n"};
}

struct PendingFile {
  std::string path;
  std::string bytes;
  std::string what;  // "program", "template", "pattern"
};

// Stages every file, then replaces the targets together: a failure leaves every file as it was.
std::optional<std::string> WriteAll(const std::vector<PendingFile>& files) {
  FileTransaction transaction;
  for (const PendingFile& file : files) {
    if (auto failure = transaction.stage(file.path, file.bytes)) {
      return file.what + " not written: " + *failure;
    }
  }
  if (auto failure = transaction.commit()) return "nothing written: " + *failure;
  return std::nullopt;
}

// Two outputs naming one file, also through a link: the later would silently replace the earlier.
std::optional<std::string> SharedOutputProblem(const CliOptions& options) {
  const struct {
    const char* what;
    const std::optional<std::string> path;
  } outputs[] = {
      {"OUTPUT.ngc",
       options.outputPath.empty() ? std::nullopt : std::optional<std::string>(options.outputPath)},
      {"--template", options.templatePath},
      {"--dxf", options.dxfPath},
  };
  for (std::size_t i = 0; i < std::size(outputs); ++i) {
    for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
      if (outputs[i].path && outputs[j].path && IsSameFile(*outputs[i].path, *outputs[j].path)) {
        return std::string(outputs[i].what) + " and " + outputs[j].what + " name the same file " +
               *outputs[j].path;
      }
    }
  }
  return std::nullopt;
}

CliOutcome ConvertWith(const CliOptions& options, const MachineProfile& profile) {
  auto read = ReadPart(options.projectPath);
  if (const auto* failure = std::get_if<std::string>(&read)) {
    return Failure("project not opened: " + *failure);
  }
  Part& part = std::get<Part>(read);
  // The options win over what a part file says.
  if (options.axisLetter) part.angleLetter = *options.axisLetter;
  const double atAngle =
      options.atAngle ? ParseNumber(*options.atAngle) : PanelDefaultAtAngle();
  auto computed = ComputePartJob(part, atAngle);
  if (const auto* refusal = std::get_if<std::string>(&computed)) {
    return Failure("job refused: " + *refusal);
  }
  const ComputedJob& job = std::get<ComputedJob>(computed);

  // Everything is formatted before anything is written: a refused output writes none.
  std::vector<PendingFile> files;
  std::string cutTime;  // a profile program's estimate; the described program's run prints none
  std::string notes;
  if (!options.outputPath.empty()) {
    if (const auto problem = AxisLetterProblem(job.parameters.axisLetter)) {
      return Failure("program not written: " + *problem);
    }
    const ProgramHeader header = ProgramHeaderOf(job, options.projectPath);
    if (const auto problem = MachineJobProblem(job, header, profile)) {
      return Failure("program not written: " + *problem);
    }
    auto cut = CutPartWith(job, profile, profile.toolpath.kerf);
    if (const auto* problem = std::get_if<std::string>(&cut)) {
      return Failure("program not written: " + *problem);
    }
    const CutPart& planned = std::get<CutPart>(cut);
    files.push_back({options.outputPath, FormatMachineProgram(job, planned.cuts, header, profile),
                     "program"});
    if (!WritesDescribedProgram(profile)) {
      if (const auto seconds = EstimateCutTime(MachineCutsOf(planned.cuts), profile))
        cutTime = "CUT TIME " + FormatCutTime(*seconds) + "\n";
    }
    for (const std::string& note : NotesOf(planned.cuts))
      notes += "korvex-cli: note: " + note + "\n";
  }
  const Paper paper = options.templatePaper;
  if (options.templatePath) {
    FormattedOutput output = FormatJobOutput(job, options.projectPath, options.templateKind, paper);
    if (output.problem) return Failure("template not written: " + *output.problem);
    files.push_back({*options.templatePath, std::move(output.bytes), "template"});
  }
  if (options.dxfPath) {
    FormattedOutput output =
        FormatJobOutput(job, options.projectPath, ShopOutput::DxfPattern, paper);
    if (output.problem) return Failure("pattern not written: " + *output.problem);
    files.push_back({*options.dxfPath, std::move(output.bytes), "pattern"});
  }
  // Writing an output over its own project would destroy the job.
  for (const PendingFile& file : files) {
    if (IsSameFile(options.projectPath, file.path)) {
      return Failure(file.what + " not written: " + file.path + " is the project file itself");
    }
  }
  if (const auto failure = WriteAll(files)) return Failure(*failure);

  return {0,
          "X LENGTH " + FormatNumber(job.lengths.xLength(), "0.000") + "\nY LENGTH " +
              FormatNumber(job.lengths.yLength(), "0.000") + "\n" + cutTime,
          notes};
}

}  // namespace

CliOutcome MachineFailure(const MachineEntry& machine) {
  CliOutcome outcome{1, {}, {}};
  for (const std::string& problem : machine.problems)
    outcome.error += "korvex-cli: machine profile not used: " + problem + "\n";
  return outcome;
}

std::optional<CliOutcome> AxisLetterConflict(const std::optional<std::string>& axisLetter,
                                             const MachineProfile& profile) {
  if (!axisLetter || profile.tiltAxis != TiltAxis::Own) return std::nullopt;
  const std::size_t first = axisLetter->find_first_not_of(' ');
  if (first != std::string::npos && first == axisLetter->find_last_not_of(' ') &&
      std::toupper(static_cast<unsigned char>((*axisLetter)[first])) == profile.tiltLetter) {
    return std::nullopt;
  }
  return CliOutcome{2,
                    {},
                    "korvex-cli: --axis-letter \"" + EscapedText(*axisLetter) + "\": the machine " +
                        profile.title + " tilts the torch on " + profile.tiltLetter +
                        " (see korvex-cli --help)\n"};
}

CliOutcome ConvertProject(const CliOptions& options) {
  if (const auto problem = SharedOutputProblem(options)) {
    return {2, {}, "korvex-cli: " + *problem + "\n"};
  }
  // A profile with mistakes is reported before anything is read or written.
  const MachineEntry machine =
      FindMachine(options.machine.value_or(std::string("described")), UserMachinesFolder());
  if (!machine.profile) return MachineFailure(machine);
  if (auto conflict = AxisLetterConflict(options.axisLetter, *machine.profile)) return *conflict;
  // The warnings come first, also when the conversion then fails.
  CliOutcome outcome = ConvertWith(options, *machine.profile);
  for (auto warning = machine.warnings.rbegin(); warning != machine.warnings.rend(); ++warning)
    outcome.error.insert(0, "korvex-cli: warning: " + *warning + "\n");
  return outcome;
}

}  // namespace korvex
