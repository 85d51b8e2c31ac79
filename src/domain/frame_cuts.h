#pragma once

#include <cstddef>
#include <vector>

#include "domain/frame.h"
#include "domain/job_problem.h"
#include "domain/part.h"
#include "domain/vec3.h"

namespace korvex {

// Where a member's part lies in the frame: x along the tube from the middle between its nodes,
// and the angle θ of the part's program round the tube, 0 at seam and a quarter turn on at side.
struct MemberAxes {
  Vec3 middle{};
  Vec3 along{};  // unit, towards the part's right end
  Vec3 seam{};   // unit, square to along
  Vec3 side{};   // seam × along... so that (along, side, seam) turn as x, y, z

  // The point of the tube at x, θ (radians) and radius r.
  Vec3 at(double x, double theta, double r) const;
};

enum class FrameProblemKind {
  ZeroLength,          // member: its nodes lie together
  NodesTogether,       // node and other, a node too, lie within kNodeTolerance
  Crossing,            // member and other cross at without a node
  ShallowMeeting,      // member and other meet at node at degrees, under kLeastMeetingDegrees
  NotAtNode,           // the order at node lists member, which is not there
  PassingAfterEnding,  // the order at node puts member, passing through, after other, ending there
  CutRefused,          // member's part cannot be cut: problems
};

struct FrameProblem {
  FrameProblemKind kind;
  std::size_t member = 0;
  std::size_t other = 0;
  std::size_t node = 0;
  Vec3 at{};
  double degrees = 0;
  std::vector<JobProblem> problems = {};
};

// Members meeting at a node at a smaller angle than this cannot be fitted to each other.
inline constexpr double kLeastMeetingDegrees = 10;

// The members at a node in fit-up order; passing[k] when members[k] runs through the node.
struct NodeOrder {
  std::vector<std::size_t> members;
  std::vector<bool> passing;
};

// A member's end at a node.
struct MemberEnd {
  std::size_t member = 0;
  std::size_t node = 0;
};

struct FrameCut {
  std::vector<Part> parts;             // a member each, named after it, its left end at from
  std::vector<Part> reversed;          // the same, turned end for end: its left end at to
  std::vector<MemberAxes> axes;        // where each part lies
  std::vector<NodeOrder> nodes;        // a node each
  std::vector<MemberEnd> freeEnds;     // ends that meet nothing, cut square at their node
  std::vector<FrameProblem> problems;  // when any, the parts are not to be used
};

// Each member's part, its ends fitted against every earlier member at their node (the node's
// order: the frame's, else members passing through first, then the larger outside diameter,
// then file order); an end with no earlier member cut square, flush with the outside of the
// members fitted onto it.
FrameCut CutFrame(const Frame& frame);

// For each member, the first member (in file order) whose part has the same tube and the same
// cuts within 0.01 mm, either way round; itself when there is none.
std::vector<std::size_t> SameParts(const FrameCut& cut);

}  // namespace korvex
