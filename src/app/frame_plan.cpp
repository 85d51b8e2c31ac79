#include "app/frame_plan.h"

#include <filesystem>
#include <map>
#include <set>

#include "app/frame_parts.h"
#include "base/decimal_text.h"
#include "project/cut_list.h"
#include "project/part_file.h"
#include "template/frame_sheet.h"

namespace korvex {
namespace {

class FramePlanner {
 public:
  FramePlanner(const FrameRequest& request, const CutListProgress& progress)
      : request_(request), progress_(progress) {}

  FramePlan run() {
    FrameParts read = ReadFrameParts(request_.framePath, request_.frame);
    plan_.problems = std::move(read.problems);
    plan_.notices = std::move(read.notices);
    if (!plan_.problems.empty()) return failed();
    frame_ = std::move(read.frame);
    parts_ = std::move(read.parts);
    planList();
    if (!plan_.problems.empty()) return failed();
    addFrameFiles(read.cut);
    return plan_.problems.empty() ? std::move(plan_) : failed();
  }

 private:
  FramePlan failed() {
    plan_.files.clear();
    plan_.summary.clear();
    return std::move(plan_);
  }

  void planList() {
    std::vector<CutListRow> rows;
    std::map<std::string, Part> byPath;
    CutListRequest list = request_.list;
    list.listPath = (std::filesystem::path(request_.outDir) / kFrameCutList).string();
    for (const FramePart& part : parts_) {
      CutListRow row{0, part.part.name + ".kvxp", static_cast<int>(part.part.quantity),
                     part.part.name};
      byPath[ListPartPath(list.listPath, row.file)] = part.part;
      rows.push_back(std::move(row));
      FormattedPart file = FormatPartFile(part.part);
      if (file.refusal) {
        plan_.problems.push_back(request_.framePath + ": part " + part.part.name +
                                 " not written: " + *file.refusal);
      }
      plan_.files.push_back({rows.back().file, std::move(file.bytes)});
    }
    list.listBytes = FormatCutList(rows);
    plan_.files.push_back({kFrameCutList, *list.listBytes});
    list.parts = [&byPath](const std::string& path) { return LoadedPartOf(byPath.at(path)); };
    CutListPlan planned = PlanCutList(list, progress_);
    // The list is the frame's own, not yet written: its problems are the frame's.
    for (const std::string& problem : planned.problems) {
      const bool aboutList = problem.starts_with(list.listPath + ":");
      const auto text = aboutList ? problem.find(": ", list.listPath.size()) : std::string::npos;
      plan_.problems.push_back(text == std::string::npos
                                   ? problem
                                   : request_.framePath + ": " + problem.substr(text + 2));
    }
    for (PlannedFile& file : planned.files)
      plan_.files.push_back(std::move(file));
    plan_.sheet = std::move(planned.sheet);
    plan_.totals = std::move(planned.totals);
    plan_.cancelled = planned.cancelled;
    plan_.summary = "FRAME " + frame_.name + " MEMBERS " + std::to_string(frame_.members.size()) +
                    " PARTS " + std::to_string(parts_.size()) + "\n" + planned.summary;
  }

  void addFrameFiles(const FrameCut& cut) {
    std::string members = "member,part,length\r\n";
    FrameSheet sheet{frame_.name, {}, {}};
    for (const FramePart& part : parts_) {
      for (std::size_t m : part.members) {
        const FrameMember& member = frame_.members[m];
        const FrameTube& tube = frame_.tubes[member.tube];
        const std::string file = part.part.name + ".kvxp";
        members += CsvField(member.name) + "," + CsvField(file) + "," +
                   DecimalText(part.length, 3) + "\r\n";
        sheet.members.push_back({member.name, file, TubeLabel({tube.diameter, tube.wall}),
                                 tube.diameter, part.length, static_cast<int>(part.part.quantity),
                                 frame_.nodes[member.from].at, frame_.nodes[member.to].at});
      }
    }
    for (std::size_t n = 0; n < frame_.nodes.size(); ++n) {
      FrameSheetNode& node = sheet.nodes.emplace_back();
      node.name = frame_.nodes[n].name;
      for (std::size_t m : cut.nodes[n].members)
        node.members.push_back(frame_.members[m].name);
      node.passing = cut.nodes[n].passing;
    }
    plan_.files.push_back({kFrameMembers, std::move(members)});
    plan_.files.push_back({kFrameSheet, FrameSheetPdf(sheet)});
    std::set<std::string> names;
    for (const PlannedFile& file : plan_.files) {
      if (!names.insert(file.name).second) {
        plan_.problems.push_back(request_.framePath + ": two outputs would be named " + file.name +
                                 ": rename the member");
      }
    }
  }

  const FrameRequest& request_;
  const CutListProgress& progress_;
  Frame frame_;
  std::vector<FramePart> parts_;
  FramePlan plan_;
};

}  // namespace

FramePlan PlanFrame(const FrameRequest& request, const CutListProgress& progress) {
  return FramePlanner(request, progress).run();
}

}  // namespace korvex
