#include "app/frame_parts.h"

#include <map>

#include "app/job_problem_text.h"
#include "app/part_loading.h"
#include "app/part_panel.h"
#include "base/decimal_text.h"
#include "base/read_whole_file.h"
#include "project/frame_file.h"
#include "project/project_file.h"

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

class FrameReader {
 public:
  FrameReader(const std::string& path, const std::optional<Frame>& given)
      : path_(path), given_(given) {}

  FrameParts run() {
    if (!readFrame()) return std::move(read_);
    const FrameWords words(read_.frame, path_);
    read_.cut = CutFrame(read_.frame);
    for (const FrameProblem& problem : read_.cut.problems)
      read_.problems.push_back(words.problem(problem));
    if (!read_.problems.empty()) return std::move(read_);
    for (const MemberEnd& end : read_.cut.freeEnds) {
      read_.notices.push_back(words.where(read_.frame.members[end.member].line) +
                              words.member(end.member) + ": its end at " + words.node(end.node) +
                              " meets nothing and is cut square there");
    }
    groupParts();
    return std::move(read_);
  }

 private:
  bool readFrame() {
    if (given_) {
      read_.frame = *given_;
      return true;
    }
    const FileContents contents = ReadWholeFile(path_, kMaxProjectFileBytes);
    if (contents.failure) {
      read_.problems.push_back("frame " + path_ + " not read: " + *contents.failure);
      return false;
    }
    FrameReading reading = ReadFrameFile(contents.bytes, path_);
    if (!reading.frame) {
      read_.problems.push_back(reading.refusal);
      return false;
    }
    read_.frame = std::move(*reading.frame);
    return true;
  }

  void groupParts() {
    const std::vector<std::size_t> same = SameParts(read_.cut);
    std::map<std::size_t, std::size_t> partOf;  // first member -> part
    std::vector<FramePart>& parts = read_.parts;
    for (std::size_t m = 0; m < same.size(); ++m) {
      if (same[m] == m) {
        partOf[m] = parts.size();
        parts.push_back({read_.cut.parts[m], {}, 0});
      }
      FramePart& part = parts[partOf.at(same[m])];
      part.members.push_back(m);
      part.part.quantity = static_cast<std::int64_t>(part.members.size());
      read_.partOf.push_back(partOf.at(same[m]));
    }
    for (FramePart& part : parts) {
      auto job = ComputePartJob(part.part, PanelDefaultAtAngle());
      if (const auto* refusal = std::get_if<std::string>(&job)) {
        read_.problems.push_back(path_ + ": part " + part.part.name + ": " + *refusal);
      } else {
        part.length = std::get<ComputedJob>(job).lengths.xLength();
      }
    }
  }

  const std::string& path_;
  const std::optional<Frame>& given_;
  FrameParts read_;
};

}  // namespace

FrameParts ReadFrameParts(const std::string& path, const std::optional<Frame>& given) {
  return FrameReader(path, given).run();
}

}  // namespace korvex
