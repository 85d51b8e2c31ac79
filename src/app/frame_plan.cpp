#include "app/frame_plan.h"

#include <filesystem>
#include <map>
#include <set>

#include "app/job_problem_text.h"
#include "app/part_panel.h"
#include "base/decimal_text.h"
#include "base/read_whole_file.h"
#include "project/cut_list.h"
#include "project/frame_file.h"
#include "project/part_file.h"
#include "project/project_file.h"
#include "template/frame_sheet.h"

namespace korvex {
namespace {

std::string Quoted(const std::string& name) {
  return "\"" + name + "\"";
}

std::string PointText(const Vec3& at) {
  return "(" + DecimalText(at[0], 3) + ", " + DecimalText(at[1], 3) + ", " + DecimalText(at[2], 3) +
         ")";
}

// A problem of the frame in the shop's words, after the file and the line it is about.
class FrameWords {
 public:
  FrameWords(const Frame& frame, std::string path) : frame_(frame), path_(std::move(path)) {}

  std::string where(int line) const {
    return path_ + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
  }
  std::string member(std::size_t m) const { return "member " + Quoted(frame_.members[m].name); }
  std::string node(std::size_t n) const { return "node " + Quoted(frame_.nodes[n].name); }

  std::string problem(const FrameProblem& p) const {
    const int memberLine = p.member < frame_.members.size() ? frame_.members[p.member].line : 0;
    switch (p.kind) {
      case FrameProblemKind::ZeroLength:
        return where(memberLine) + member(p.member) + " has no length: its ends lie together at " +
               PointText(p.at);
      case FrameProblemKind::NodesTogether:
        return where(frame_.nodes[p.other].line) + node(p.node) + " and " + node(p.other) +
               " lie within 0.5 mm of each other at " + PointText(p.at) + ": make them one node";
      case FrameProblemKind::Crossing:
        return where(memberLine) + member(p.member) + " and " + member(p.other) + " cross at " +
               PointText(p.at) + " without a node: add a node there for both, or move one of them";
      case FrameProblemKind::ShallowMeeting:
        return where(memberLine) + member(p.member) + " and " + member(p.other) + " meet at " +
               node(p.node) + " at " + DecimalText(p.degrees, 1) +
               " degrees, under 10: neither can be fitted to the other";
      case FrameProblemKind::NotAtNode:
        return where(orderLine(p.node)) + "the order at " + node(p.node) + " lists " +
               member(p.member) + ", which neither ends at it nor passes through it";
      case FrameProblemKind::PassingAfterEnding:
        return where(orderLine(p.node)) + "the order at " + node(p.node) + " puts " +
               member(p.member) + ", which passes through it, after " + member(p.other) +
               ", which ends there: a member passing through is not cut there, so it comes first";
      case FrameProblemKind::CutRefused:
        return where(memberLine) + member(p.member) +
               " cannot be cut (its LEFT CUT is its end at " + node(frame_.members[p.member].from) +
               ", its RIGHT CUT the end at " + node(frame_.members[p.member].to) +
               "): " + Joined(JobProblemTexts(p.problems));
    }
    return where(0);
  }

 private:
  static std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts)
      joined += (joined.empty() ? "" : "; ") + text;
    return joined;
  }
  int orderLine(std::size_t node) const {
    for (const FrameJointOrder& order : frame_.joints) {
      if (order.node == node) return order.line;
    }
    return 0;
  }

  const Frame& frame_;
  std::string path_;
};

// A part of the frame: the members cut from it, the first naming it.
struct FramePart {
  Part part;
  std::vector<std::size_t> members;
  double length = 0;  // X LENGTH
};

class FramePlanner {
 public:
  FramePlanner(const FrameRequest& request, const CutListProgress& progress)
      : request_(request), progress_(progress) {}

  FramePlan run() {
    if (!readFrame()) return failed();
    const FrameWords words(frame_, request_.framePath);
    const FrameCut cut = CutFrame(frame_);
    for (const FrameProblem& problem : cut.problems)
      plan_.problems.push_back(words.problem(problem));
    if (!plan_.problems.empty()) return failed();
    for (const MemberEnd& end : cut.freeEnds) {
      plan_.notices.push_back(words.where(frame_.members[end.member].line) +
                              words.member(end.member) + ": its end at " + words.node(end.node) +
                              " meets nothing and is cut square there");
    }
    groupParts(cut);
    if (!plan_.problems.empty()) return failed();
    planList();
    if (!plan_.problems.empty()) return failed();
    addFrameFiles(cut);
    return plan_.problems.empty() ? std::move(plan_) : failed();
  }

 private:
  FramePlan failed() {
    plan_.files.clear();
    plan_.summary.clear();
    return std::move(plan_);
  }

  bool readFrame() {
    if (request_.frame) {
      frame_ = *request_.frame;
      return true;
    }
    const FileContents contents = ReadWholeFile(request_.framePath, kMaxProjectFileBytes);
    if (contents.failure) {
      plan_.problems.push_back("frame " + request_.framePath + " not read: " + *contents.failure);
      return false;
    }
    FrameReading reading = ReadFrameFile(contents.bytes, request_.framePath);
    if (!reading.frame) {
      plan_.problems.push_back(reading.refusal);
      return false;
    }
    frame_ = std::move(*reading.frame);
    return true;
  }

  void groupParts(const FrameCut& cut) {
    const std::vector<std::size_t> same = SameParts(cut);
    std::map<std::size_t, std::size_t> partOf;  // first member -> part
    for (std::size_t m = 0; m < same.size(); ++m) {
      if (same[m] == m) {
        partOf[m] = parts_.size();
        parts_.push_back({cut.parts[m], {}, 0});
      }
      FramePart& part = parts_[partOf.at(same[m])];
      part.members.push_back(m);
      part.part.quantity = static_cast<std::int64_t>(part.members.size());
    }
    for (FramePart& part : parts_) {
      auto job = ComputePartJob(part.part, PanelDefaultAtAngle());
      if (const auto* refusal = std::get_if<std::string>(&job)) {
        plan_.problems.push_back(request_.framePath + ": part " + part.part.name + ": " + *refusal);
      } else {
        part.length = std::get<ComputedJob>(job).lengths.xLength();
      }
    }
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
    list.parts = [&byPath](const std::string& path) -> std::variant<LoadedPart, std::string> {
      const Part& part = byPath.at(path);
      auto job = ComputePartJob(part, PanelDefaultAtAngle());
      if (auto* refusal = std::get_if<std::string>(&job)) return "job refused: " + *refusal;
      return LoadedPart{part, std::move(std::get<ComputedJob>(job))};
    };
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
