#include "gcode/machine_program.h"

#include <variant>

#include "domain/computed_job.h"
#include "toolpath/toolpath.h"

namespace korvex {
namespace {

// The torch paths of both ends and the holes, or why the options refuse one.
std::variant<std::vector<MachineCut>, std::string> PlanCuts(const ComputedJob& job,
                                                            const ToolpathOptions& options) {
  std::vector<MachineCut> cuts;
  std::vector<ToolpathPlan> plans;
  for (const int side : {-1, 1})
    plans.push_back(PlanEndToolpath(job, side, options));
  for (std::size_t hole = 0; hole < job.holes.size(); ++hole)
    plans.push_back(PlanHoleToolpath(job, hole, options));
  for (const ToolpathPlan& plan : plans) {
    if (const auto* problem = std::get_if<std::string>(&plan)) return *problem;
    MachineCut& cut = cuts.emplace_back();
    for (const TorchPoint& point : std::get<Toolpath>(plan).points)
      cut.push_back({point.x, point.y, point.tilt});
  }
  return cuts;
}

}  // namespace

std::vector<MachineCut> MachineCuts(const ComputedJob& job, const MachineProfile& profile) {
  if (!WritesDescribedProgram(profile)) {
    auto planned = PlanCuts(job, profile.toolpath);
    if (auto* cuts = std::get_if<std::vector<MachineCut>>(&planned)) return std::move(*cuts);
    return {};
  }
  std::vector<const CutPoints*> paths{&job.left.path, &job.right.path};
  for (const HoleCut& hole : job.holes)
    paths.push_back(&hole.path);
  std::vector<MachineCut> cuts;
  for (const CutPoints* end : paths) {
    MachineCut& cut = cuts.emplace_back();
    for (int i = 0; i <= job.parameters.cutSegments; ++i)
      cut.push_back({end->x[i], end->y[i], end->z[i]});
  }
  return cuts;
}

bool JobTilts(const ComputedJob& job) {
  bool tilts = job.parameters.left.mode3d == 1 || job.parameters.right.mode3d == 1;
  for (const HoleParameters& hole : job.parameters.holes)
    tilts = tilts || hole.mode3d == 1;
  return tilts;
}

std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile) {
  if (auto problem = GcodeProgramProblem(job, header.tubeDiameter)) return problem;
  if (WritesDescribedProgram(profile)) return std::nullopt;
  if (profile.axes == AxisForm::Degrees && !(header.tubeDiameter > 0)) {
    return std::string("the tube DIAMETER must be above 0 for a rotation in degrees");
  }
  if (auto planned = PlanCuts(job, profile.toolpath);
      std::holds_alternative<std::string>(planned)) {
    return std::get<std::string>(std::move(planned));
  }
  return TiltProblem(profile, header.axisLetter, JobTilts(job));
}

std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile) {
  if (MachineProgramProblem(job, header, profile)) return std::string();
  if (WritesDescribedProgram(profile)) return FormatGcodeProgram(job, header);
  return FormatCutsProgram(MachineCuts(job, profile), header, profile, JobTilts(job));
}

}  // namespace korvex
