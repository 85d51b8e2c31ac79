#include "app/cut_part.h"

#include "base/decimal_text.h"
#include "gcode/machine_program.h"
#include "toolpath/part_extents.h"

namespace korvex {

std::variant<CutPart, std::string> CutPartWith(ComputedJob job, const MachineProfile& profile,
                                               double kerf) {
  auto planned = PlanMachineCuts(job, profile);
  if (auto* problem = std::get_if<std::string>(&planned)) return std::move(*problem);
  CutPart part{std::move(job), std::move(std::get<JobCuts>(planned)), {}, kerf};
  part.extents = PartExtentsOf(part.job, part.cuts, kerf);
  if (!part.job.holes.empty()) {
    if (auto problem = HoleClearanceProblem(part.job, part.cuts, part.extents, kerf)) {
      return std::move(problem->text);
    }
  }
  return part;
}

std::variant<double, std::string> KerfFor(std::optional<double> given,
                                          const MachineProfile& profile) {
  const double own = profile.toolpath.kerf;
  if (!given) return own;
  if (*given < own) {
    return "the kerf " + DecimalText(*given, 3) + " mm is narrower than the kerf " +
           DecimalText(own, 3) + " mm of the machine profile " + profile.name +
           ", which its torch path allows for";
  }
  return *given;
}

}  // namespace korvex
