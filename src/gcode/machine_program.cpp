#include "gcode/machine_program.h"

#include "domain/computed_job.h"

namespace korvex {

std::variant<JobCuts, std::string> PlanMachineCuts(const ComputedJob& job,
                                                   const MachineProfile& profile) {
  return PlanJobCuts(job, profile.toolpath, WritesDescribedProgram(profile));
}

std::vector<MachineCut> MachineCutsOf(const JobCuts& cuts) {
  std::vector<MachineCut> points;
  for (const Toolpath& cut : cuts) {
    MachineCut& moves = points.emplace_back();
    for (const TorchPoint& point : cut.points)
      moves.push_back({point.x, point.y, point.tilt});
  }
  return points;
}

bool JobTilts(const ComputedJob& job) {
  bool tilts = job.parameters.left.mode3d == 1 || job.parameters.right.mode3d == 1;
  for (const HoleParameters& hole : job.parameters.holes)
    tilts = tilts || hole.mode3d == 1;
  return tilts;
}

std::optional<std::string> MachineJobProblem(const ComputedJob& job, const ProgramHeader& header,
                                             const MachineProfile& profile) {
  if (auto problem = GcodeProgramProblem(job, header.tubeDiameter)) return problem;
  if (WritesDescribedProgram(profile)) return std::nullopt;
  if (profile.axes == AxisForm::Degrees && !(header.tubeDiameter > 0)) {
    return std::string("the tube DIAMETER must be above 0 for a rotation in degrees");
  }
  return TiltProblem(profile, header.axisLetter, JobTilts(job));
}

std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile) {
  if (auto problem = MachineJobProblem(job, header, profile)) return problem;
  if (auto planned = PlanMachineCuts(job, profile); std::holds_alternative<std::string>(planned)) {
    return std::get<std::string>(std::move(planned));
  }
  return std::nullopt;
}

std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile) {
  if (MachineJobProblem(job, header, profile)) return std::string();
  const auto planned = PlanMachineCuts(job, profile);
  if (const auto* cuts = std::get_if<JobCuts>(&planned)) {
    return FormatMachineProgram(job, *cuts, header, profile);
  }
  return std::string();
}

std::string FormatMachineProgram(const ComputedJob& job, const JobCuts& cuts,
                                 const ProgramHeader& header, const MachineProfile& profile) {
  if (MachineJobProblem(job, header, profile)) return std::string();
  if (WritesDescribedProgram(profile)) return FormatGcodeProgram(job, header);
  return FormatCutsProgram(MachineCutsOf(cuts), header, profile, JobTilts(job));
}

}  // namespace korvex
