#include "app/part_check.h"

#include <charconv>
#include <cmath>

#include "app/job_problem_text.h"
#include "app/part_panel.h"
#include "base/file_helpers.h"
#include "project/part_file.h"
#include "toolpath/part_extents.h"

namespace korvex {
namespace {

constexpr std::int64_t kMaxQuantity = 1000000;

const std::string kQuantityText = "quantity must be a whole number from 1 to 1000000";

// The job's field at a place, for the field's name.
JobField JobFieldAt(const PartPlace& place) {
  switch (place.field) {
    case PartField::Diameter:
      return place.end == TubeEnd::None ? JobField::MainDiameter : JobField::Diameter;
    case PartField::Wall:
      return JobField::Thickness;
    case PartField::Segments:
      return JobField::CutSegments;
    case PartField::Distance:
      return JobField::Distance;
    case PartField::Angle:
      return JobField::Angle;
    case PartField::Turn:
      return place.hole > 0 ? JobField::HoleTurn : JobField::AngleDiff;
    case PartField::Offset:
      return JobField::Offset;
    case PartField::At:
      return JobField::HoleAt;
    case PartField::BranchDiameter:
      return JobField::BranchDiameter;
    case PartField::BranchWall:
      return JobField::BranchWall;
    case PartField::JoiningWall:
      return JobField::JoiningWall;
    case PartField::Name:
    case PartField::Quantity:
    case PartField::AngleLetter:
    case PartField::Oval:
    case PartField::Compensation:
    case PartField::Mode3d:
    case PartField::Fit:
    case PartField::Whole:
      break;
  }
  return JobField::Points;
}

PartProblem FromJob(const JobProblem& problem) {
  return {PlaceOf(problem), JobProblemText(problem)};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

// What the part file reader refuses and the job does not: the quantity, a negative wall or end
// DIAMETER (unused by a flat cut), too many holes.
void CheckStorable(const Part& part, std::vector<PartProblem>& problems) {
  if (part.quantity < 1 || part.quantity > kMaxQuantity) {
    problems.push_back({{PartField::Quantity}, kQuantityText});
  }
  if (part.wall < 0) problems.push_back(FromJob({JobField::Thickness, ProblemKind::Negative}));
  for (const auto& [end, values] :
       {std::pair{TubeEnd::Left, &part.left}, std::pair{TubeEnd::Right, &part.right}}) {
    if (values->diameter < 0) {
      problems.push_back(FromJob({JobField::Diameter, ProblemKind::Negative, end}));
    }
  }
  if (part.holes.size() > kMaxPartHoles) {
    problems.push_back(
        {{PartField::Whole}, "a part holds at most " + std::to_string(kMaxPartHoles) + " holes"});
  }
}

}  // namespace

PartPlace PlaceOf(const JobProblem& problem) {
  PartPlace place{PartField::Whole, problem.end, problem.hole};
  switch (problem.field) {
    case JobField::CutSegments:
      place.field = PartField::Segments;
      break;
    case JobField::MainDiameter:
      place.field = PartField::Diameter;
      break;
    case JobField::Thickness:
      place.field = PartField::Wall;
      break;
    case JobField::Diameter:
      place.field = PartField::Diameter;
      break;
    case JobField::Angle:
      place.field = PartField::Angle;
      break;
    case JobField::Distance:
      place.field = PartField::Distance;
      break;
    case JobField::AngleDiff:
    case JobField::HoleTurn:
      place.field = PartField::Turn;
      break;
    case JobField::Offset:
      place.field = PartField::Offset;
      break;
    case JobField::HoleAt:
      place.field = PartField::At;
      break;
    case JobField::BranchDiameter:
      place.field = PartField::BranchDiameter;
      break;
    case JobField::BranchWall:
      place.field = PartField::BranchWall;
      break;
    case JobField::JoiningWall:
      place.field = PartField::JoiningWall;
      break;
    case JobField::Points:
    case JobField::AtAngle:
    case JobField::ResultLengths:
      break;
  }
  return place;
}

PartCheck CheckPart(const Part& part) {
  PartCheck check;
  CheckStorable(part, check.problems);
  JobOutcome outcome = ComputePart(part, PanelDefaultAtAngle());
  for (const JobProblem& problem : outcome.problems)
    check.problems.push_back(FromJob(problem));
  // With these the part file reader refuses nothing (FormatPartFile, at Save, has its word):
  // the job itself requires every number finite and its ranges.
  if (!check.problems.empty()) return check;
  // Holes must belong to the part as the described program cuts it, on its lines.
  if (!outcome.job->holes.empty()) {
    const auto cuts = PlanJobCuts(*outcome.job, {}, true);
    const JobCuts& planned = std::get<JobCuts>(cuts);
    const PartExtents extents = PartExtentsOf(*outcome.job, planned, 0);
    if (auto problem = HoleClearanceProblem(*outcome.job, planned, extents, 0)) {
      check.problems.push_back(
          {{PartField::Whole, TubeEnd::None, static_cast<int>(problem->hole) + 1}, problem->text});
      return check;
    }
  }
  check.job = std::move(outcome.job);
  return check;
}

std::string UnreadableText(const PartPlace& place) {
  switch (place.field) {
    case PartField::Quantity:
      return kQuantityText;
    case PartField::Segments:
      return JobProblemText({JobField::CutSegments, ProblemKind::SegmentsOutOfRange});
    default:
      break;
  }
  return JobFieldName({JobFieldAt(place), ProblemKind::NotFinite, place.end, place.hole}) +
         " is not a number";
}

std::optional<double> ReadNumberText(std::string_view text) {
  text = Trimmed(text);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ReadWholeText(std::string_view text) {
  text = Trimmed(text);
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::string> SavePartFile(const Part& part, const std::string& path) {
  const FormattedPart formatted = FormatPartFile(part);
  if (formatted.refusal) return "PART NOT SAVED: " + *formatted.refusal;
  if (auto failure = WriteFileAtomically(path, formatted.bytes)) {
    return "PART NOT SAVED: " + *failure;
  }
  return std::nullopt;
}

}  // namespace korvex
