#include "domain/hole_validation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <iterator>

#include "domain/hole_cut.h"
#include "domain/job_parameters.h"

namespace korvex {
namespace {

using Problems = std::vector<JobProblem>;
using HoleCheck = std::function<bool(const HoleParameters&)>;

// How far a 3D MODE cut may reach past a set-on branch's outside on the outer surface (mm).
constexpr double kCoverTolerance = 0.01;
constexpr int kBisections = 50;

// A set-on branch stands with its outside on the outer surface and its bore closing round the
// inner one; a set-in branch's outside must close round the inner surface. The offset is named
// when the branch would sit at offset 0, else the branch's diameter or, for a bore wider than
// the tube's, its wall.
void RequireOnTube(Problems& problems, const JobParameters& job, const HoleParameters& hole,
                   int number) {
  auto refuse = [&](JobField field, ProblemKind kind, double limit) {
    problems.push_back({field, kind, TubeEnd::None, number, limit});
  };
  const double inner = job.mainRadius - job.wallThickness;
  const double side = std::fabs(hole.offset), outside = hole.branchRadius, bore = HoleRadius(hole);
  const double outsideRoom = hole.fit == HoleFit::SetIn ? inner : job.mainRadius;
  const bool outsideFits = outside <= outsideRoom, boreFits = bore <= inner;
  if (outsideFits && boreFits) {
    if (!(side + outside <= outsideRoom && side + bore <= inner)) {
      refuse(JobField::Offset, ProblemKind::PastTubeSide,
             std::min(outsideRoom - outside, inner - bore));
    }
  } else if (!outsideFits) {
    const double widest =
        hole.fit == HoleFit::SetIn ? inner : std::min(job.mainRadius, inner + hole.branchWall);
    refuse(JobField::BranchDiameter, ProblemKind::WiderThanTube, 2 * std::max(0.0, widest - side));
  } else {
    refuse(JobField::BranchWall, ProblemKind::BoreWiderThanTube, outside - inner + side);
    if (!(side + outside <= outsideRoom)) {
      refuse(JobField::Offset, ProblemKind::PastTubeSide, outsideRoom - outside);
    }
  }
}

// A field of the hole that could make it pass, and a value at which it does.
struct Remedy {
  double HoleParameters::*field;
  double easy;
  JobField name;
};

// Between the remedy's easy value and the hole's own, the value nearest the hole's own at which
// it passes.
double Boundary(HoleParameters hole, const Remedy& remedy, const HoleCheck& passes) {
  double good = remedy.easy, bad = hole.*remedy.field;
  for (int k = 0; k < kBisections; ++k) {
    hole.*remedy.field = (good + bad) / 2;
    (passes(hole) ? good : bad) = hole.*remedy.field;
  }
  return good;
}

// The problem naming the first remedy whose easy value makes the hole pass (the last one is
// taken to) with the value it may take.
JobProblem Remedied(const HoleParameters& hole, int number, ProblemKind kind,
                    std::initializer_list<Remedy> remedies, const HoleCheck& passes) {
  const Remedy* chosen = std::prev(remedies.end());
  for (const Remedy& remedy : remedies) {
    HoleParameters eased = hole;
    eased.*remedy.field = remedy.easy;
    if (hole.*remedy.field != remedy.easy && passes(eased)) {
      chosen = &remedy;
      break;
    }
  }
  const double value = Boundary(hole, *chosen, passes);
  double limit = std::fabs(value);
  if (chosen->name == JobField::Angle) limit = limit * 180 / kPi;
  if (chosen->name == JobField::BranchDiameter) limit = 2 * value;
  return {chosen->name, kind, TubeEnd::None, number, limit};
}

// A torch that leans only along the tube cuts the outer surface at every angle round the tube
// where it cuts any depth of the wall, so a set-on branch may not cover a hole that reaches
// farther round inside the wall; and it can lean only so far.
void RequireTiltable(Problems& problems, const JobParameters& job, const HoleParameters& hole,
                     int number) {
  const TiltedHoleReach reach = MeasureTiltedHole(hole, job);
  if (hole.fit == HoleFit::SetOn && reach.beyondBranch > kCoverTolerance) {
    const HoleCheck covered = [&job](const HoleParameters& h) {
      return MeasureTiltedHole(h, job).beyondBranch <= 0;
    };
    problems.push_back(
        Remedied(hole, number, ProblemKind::Uncovered,
                 {{&HoleParameters::offset, 0, JobField::Offset},
                  {&HoleParameters::branchWall, hole.branchRadius, JobField::BranchWall}},
                 covered));
  }
  if (reach.steepestTilt > kMaxHoleTilt) {
    const HoleCheck leansLess = [&job](const HoleParameters& h) {
      return MeasureTiltedHole(h, job).steepestTilt <= kMaxHoleTilt;
    };
    const double narrowest = hole.fit == HoleFit::SetIn ? 0 : hole.branchWall;
    problems.push_back(
        Remedied(hole, number, ProblemKind::TooSteep,
                 {{&HoleParameters::angle, 0, JobField::Angle},
                  {&HoleParameters::offset, 0, JobField::Offset},
                  {&HoleParameters::branchRadius, narrowest, JobField::BranchDiameter}},
                 leansLess));
  }
}

}  // namespace

void ValidateHole(Problems& problems, const JobParameters& job, const HoleParameters& hole,
                  int number) {
  const std::size_t before = problems.size();
  auto refuse = [&](JobField field, ProblemKind kind) {
    problems.push_back({field, kind, TubeEnd::None, number});
  };
  const struct {
    double value;
    JobField field;
  } values[] = {{hole.at, JobField::HoleAt},
                {hole.turn, JobField::HoleTurn},
                {hole.branchRadius, JobField::BranchDiameter},
                {hole.branchWall, JobField::BranchWall},
                {hole.angle, JobField::Angle},
                {hole.offset, JobField::Offset}};
  for (const auto& [value, field] : values) {
    if (!std::isfinite(value)) refuse(field, ProblemKind::NotFinite);
  }
  if (problems.size() != before) return;
  if (!(hole.branchRadius > 0)) refuse(JobField::BranchDiameter, ProblemKind::NotPositive);
  if (hole.branchWall < 0) {
    refuse(JobField::BranchWall, ProblemKind::Negative);
  } else if (!(hole.branchWall < hole.branchRadius)) {
    refuse(JobField::BranchWall, ProblemKind::NoBore);
  }
  if (!(std::fabs(hole.angle) < kPi / 2)) refuse(JobField::Angle, ProblemKind::AngleOutOfRange);
  if (problems.size() != before) return;
  RequireOnTube(problems, job, hole, number);
  if (problems.size() == before && hole.mode3d == 1) RequireTiltable(problems, job, hole, number);
}

}  // namespace korvex
