#include "app/job_problem_text.h"

#include <cmath>

#include "domain/hole_cut.h"
#include "base/decimal_text.h"

namespace korvex {
namespace {

std::string EndFrame(TubeEnd end) {
  switch (end) {
    case TubeEnd::Left:
      return "LEFT CUT";
    case TubeEnd::Right:
      return "RIGHT CUT";
    case TubeEnd::None:
      break;
  }
  return "";
}

}  // namespace

std::string JobFieldName(const JobProblem& problem) {
  const std::string frame =
      problem.hole > 0   ? "HOLE " + std::to_string(problem.hole)
      : problem.tube > 0 ? EndFrame(problem.end) + " joint " + std::to_string(problem.tube)
                         : EndFrame(problem.end);
  switch (problem.field) {
    case JobField::CutSegments:
      return "CUT SEGMENTS";
    case JobField::MainDiameter:
      return "MAIN TUBE DIAMETER";
    case JobField::Thickness:
      return "THICKNESS";
    case JobField::Diameter:
      return frame + " DIAMETER";
    case JobField::Angle:
      return frame + " ANGLE";
    case JobField::Distance:
      return frame + " DISTANCE";
    case JobField::AngleDiff:
      return frame + " Angle DIFF";
    case JobField::Points:
      return frame;
    case JobField::AtAngle:
      return "AT ANGLE";
    case JobField::ResultLengths:
      return "the RESULT lengths";
    case JobField::Offset:
      return frame + " offset";
    case JobField::HoleAt:
      return frame + " at";
    case JobField::HoleTurn:
      return frame + " turn";
    case JobField::BranchDiameter:
      return frame + " branch-diameter";
    case JobField::BranchWall:
      return frame + " branch-wall";
    case JobField::JoiningWall:
      return frame + " joining wall";
  }
  return "";
}

namespace {

std::string NotFiniteText(const JobProblem& problem, const std::string& name) {
  switch (problem.field) {
    case JobField::Points:
      return name + " gives points that are not finite";
    case JobField::ResultLengths:
      return name + " are not finite; the job's values are too large";
    default:
      return name + " is not a finite number";
  }
}

std::string TooLargeText(const JobProblem& problem, const std::string& name) {
  switch (problem.field) {
    case JobField::AtAngle:
      return name + " is too large: the measurement line would not be finite";
    case JobField::Points:
      return name +
             " gives points beyond 1000000000, too long for a program line; check its "
             "DISTANCE and DIAMETER";
    default:
      return name + " is too large for a program line";
  }
}

// A limit as the operator may type it: rounded to 0.01 toward the values allowed.
std::string Limit(double value, bool least) {
  const double hundredths = least ? std::ceil(value * 100 - 1e-6) : std::floor(value * 100 + 1e-6);
  return DecimalText(hundredths / 100, 2);
}

std::string AtMost(const JobProblem& problem, const char* unit) {
  return "at most " + Limit(problem.limit, false) + unit + " either way";
}

std::string PastTubeSideText(const JobProblem& problem, const std::string& name) {
  if (problem.hole > 0) {
    return name + " must be " + AtMost(problem, " mm") +
           " for this branch: farther out the branch would hang past the side of the tube";
  }
  return name + " must be " + AtMost(problem, " mm") +
         ": farther out the tube would hang past the side of the tube it fits onto";
}

// Why 3D MODE cannot cut the hole, and what the named value may be for it to.
std::string TiltedHoleText(const JobProblem& problem, const std::string& name) {
  const std::string steep =
      "the torch would lean more than " + DecimalText(kMaxHoleTilt, 0) + " degrees";
  const std::string most = Limit(problem.limit, false);
  std::string text = name;
  switch (problem.field) {
    case JobField::Angle:
      text +=
          " must lie between -" + most + " and " + most + " degrees for 3D MODE: beyond, " + steep;
      break;
    case JobField::BranchWall:
      text += " must be at least " + Limit(problem.limit, true) +
              " mm for 3D MODE: a thinner branch would not cover the cut, which leans only "
              "along the tube, on the tube's outer surface";
      break;
    case JobField::BranchDiameter:
      text += " must be at most " + most + " mm for 3D MODE: with a wider branch " + steep;
      break;
    default:
      text += " must be " + AtMost(problem, " mm") + " for 3D MODE: farther out " +
              (problem.kind == ProblemKind::TooSteep
                   ? steep
                   : std::string("the cut, which leans only along the tube, would reach past the "
                                 "branch on the tube's outer surface"));
      break;
  }
  return text + "; or cut the hole in COMPENSATION MODE";
}

}  // namespace

std::string JobProblemText(const JobProblem& problem) {
  const std::string name = JobFieldName(problem);
  switch (problem.kind) {
    case ProblemKind::NotFinite:
      return NotFiniteText(problem, name);
    case ProblemKind::SegmentsOutOfRange:
      return name + " must be a whole number from 1 to 1000";
    case ProblemKind::NotPositive:
      return name + " must be a number greater than 0";
    case ProblemKind::NoWallFor3d:
      return name + " must be greater than 0 for 3D MODE";
    case ProblemKind::AngleOutOfRange:
      return name + " must lie between -90 and 90 degrees";
    case ProblemKind::SmallerThanMainTube:
      return name + " must be at least " + Limit(problem.limit, true) +
             " mm, the MAIN TUBE DIAMETER, for CUT OVAL";
    case ProblemKind::TooLarge:
      return TooLargeText(problem, name);
    case ProblemKind::PastTubeSide:
      return PastTubeSideText(problem, name);
    case ProblemKind::Negative:
      return name + " must not be less than 0";
    case ProblemKind::NoBore:
      return name + " must be less than half the " +
             (problem.field == JobField::JoiningWall ? EndFrame(problem.end) + " DIAMETER"
                                                     : std::string("branch-diameter"));
    case ProblemKind::NoTubeMet:
      return name + " meets none of its joining tubes from " +
             DecimalText(problem.fromDegrees, 1) + " to " + DecimalText(problem.toDegrees, 1) +
             " degrees round the tube: no cut can be placed there";
    case ProblemKind::NoJoiningWall:
      return name +
             " must be given for fit \"inside\": DIAMETER is the joining tube's outside, and "
             "the end is cut to its bore";
    case ProblemKind::WiderThanTube:
      return name + " must be at most " + Limit(problem.limit, false) +
             " mm with this offset: a wider branch would hang past the side of the tube";
    case ProblemKind::BoreWiderThanTube:
      return name + " must be at least " + Limit(problem.limit, true) +
             " mm: a thinner branch's bore would be wider than the tube's bore";
    case ProblemKind::Uncovered:
    case ProblemKind::TooSteep:
      return TiltedHoleText(problem, name);
  }
  return name;
}

std::vector<std::string> JobProblemTexts(const std::vector<JobProblem>& problems) {
  std::vector<std::string> texts;
  texts.reserve(problems.size());
  for (const JobProblem& problem : problems)
    texts.push_back(JobProblemText(problem));
  return texts;
}

}  // namespace korvex
