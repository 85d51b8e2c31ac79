#include "app/part_loading.h"

#include "app/job_problem_text.h"
#include "app/part_panel.h"
#include "base/read_whole_file.h"
#include "project/part_file.h"
#include "project/project_file.h"

namespace korvex {

std::variant<Part, std::string> ReadPart(const std::string& path) {
  const FileContents contents = ReadWholeFile(path, kMaxProjectFileBytes);
  if (contents.failure) return *contents.failure;
  if (!IsPartFilePath(path)) {
    return PartFromProjectFields(ReadProjectFields(contents.bytes), PanelDefaultPart());
  }
  PartReading reading = ReadPartFile(contents.bytes, path, PanelDefaultPart(), DefaultPartHole());
  if (!reading.part) return std::move(reading.refusal);
  return std::move(*reading.part);
}

std::variant<ComputedJob, std::string> ComputePartJob(const Part& part, double atAngleDegrees) {
  JobOutcome outcome = ComputePart(part, atAngleDegrees);
  if (outcome.job) return std::move(*outcome.job);
  std::string joined;
  for (const std::string& problem : JobProblemTexts(outcome.problems))
    joined += (joined.empty() ? "" : "; ") + problem;
  return joined;
}

std::variant<LoadedPart, std::string> LoadPart(const std::string& path) {
  auto read = ReadPart(path);
  if (auto* failure = std::get_if<std::string>(&read)) return "not opened: " + *failure;
  return LoadedPartOf(std::move(std::get<Part>(read)));
}

std::variant<LoadedPart, std::string> LoadedPartOf(Part part) {
  auto job = ComputePartJob(part, PanelDefaultAtAngle());
  if (auto* refusal = std::get_if<std::string>(&job)) return "job refused: " + *refusal;
  return LoadedPart{std::move(part), std::move(std::get<ComputedJob>(job))};
}

}  // namespace korvex
