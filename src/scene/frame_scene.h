#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "domain/frame_cuts.h"
#include "scene/view_projection.h"

namespace korvex {

class DrawList;
struct ComputedJob;

// A member of a frame as its part is cut: where the part lies and, at each step round the tube
// (θ = 2π·i/N), where each end's cut leaves the tube's outer surface.
struct MemberOutline {
  MemberAxes axes;
  double radius = 0;
  std::vector<double> left;  // x, steps 0..N
  std::vector<double> right;
};

// The outline of a member whose part lies on axes and is computed as job.
MemberOutline OutlineOf(const MemberAxes& axes, const ComputedJob& job);

// The frame assembled from its members' parts as cut, replacing what list held. Each member is
// two batches, in the order of the members: its tube's outer surface as N lines along it, from
// the left end's cut to the right end's at steps 0..N-1, then both cuts' edges. Highlighted
// members stand out.
void DrawFrameScene(const std::vector<MemberOutline>& members, const std::vector<bool>& highlighted,
                    DrawList& list);

// The points of a member's axis as far as its cuts reach either way; its nodes' middle for a
// member without an outline.
std::array<Vec3, 2> MemberEnds(const MemberOutline& member);
// The middle of a member's tube as cut, where its name goes.
Vec3 MemberMiddle(const MemberOutline& member);

// The member the view shows at a point (pixels from its top left corner): the nearest whose
// tube the line of sight passes through, or else passes within a few pixels of; nothing when
// none is there.
std::optional<std::size_t> MemberAt(const std::vector<MemberOutline>& members,
                                    const ViewGeometry& view, double x, double y);

}  // namespace korvex
