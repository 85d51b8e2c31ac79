#include "domain/frame_cuts.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "domain/end_cut.h"
#include "domain/step_angles.h"

namespace korvex {
namespace {

constexpr double kSameCut = 0.01;  // mm: cuts this close are the same
constexpr double kSquare = 1e-9;   // a direction this near square to an axis is square to it
constexpr double kDegrees = 180 / kPi;

struct Span {
  Vec3 a, b;
};

Span SpanOf(const Frame& frame, const FrameMember& member) {
  return {frame.nodes[member.from].at, frame.nodes[member.to].at};
}

Vec3 DirectionOf(const Frame& frame, const FrameMember& member) {
  const Span span = SpanOf(frame, member);
  return Unit(span.b - span.a);
}

// The nearest points of two segments of non-zero length, and their distance.
struct Nearest {
  double distance;
  Vec3 middle;
};

Nearest NearestPoints(const Span& p, const Span& q) {
  const Vec3 d1 = p.b - p.a, d2 = q.b - q.a, r = p.a - q.a;
  const double a = Dot(d1, d1), e = Dot(d2, d2), f = Dot(d2, r), c = Dot(d1, r), b = Dot(d1, d2);
  const double denominator = a * e - b * b;
  double s = denominator > 1e-12 * a * e ? std::clamp((b * f - c * e) / denominator, 0.0, 1.0) : 0;
  double t = (b * s + f) / e;
  if (t < 0) {
    t = 0;
    s = std::clamp(-c / a, 0.0, 1.0);
  } else if (t > 1) {
    t = 1;
    s = std::clamp((b - c) / a, 0.0, 1.0);
  }
  const Vec3 onP = p.a + s * d1, onQ = q.a + t * d2;
  return {Length(onP - onQ), 0.5 * (onP + onQ)};
}

// True when the node lies on the member's axis between its ends, not at them.
bool PassesThrough(const Frame& frame, const FrameMember& member, std::size_t node) {
  if (node == member.from || node == member.to) return false;
  const Span span = SpanOf(frame, member);
  const Vec3 u = span.b - span.a, p = frame.nodes[node].at;
  const double length = Length(u), t = Dot(p - span.a, u) / length;
  if (t <= kNodeTolerance || t >= length - kNodeTolerance) return false;
  return Length(p - (span.a + (t / length) * u)) <= kNodeTolerance;
}

bool EndsAt(const FrameMember& member, std::size_t node) {
  return member.from == node || member.to == node;
}

MemberAxes AxesThrough(const Vec3& a, const Vec3& b, std::optional<Vec3> seam) {
  MemberAxes axes;
  axes.middle = 0.5 * (a + b);
  axes.along = Unit(b - a);
  if (!seam) {
    // Straight up where the member is not upright, else along the frame's x.
    for (const Vec3 reference : {Vec3{0, 0, 1}, Vec3{1, 0, 0}}) {
      const Vec3 square = reference - Dot(reference, axes.along) * axes.along;
      if (Length(square) > 1e-6) {
        seam = Unit(square);
        break;
      }
    }
  }
  axes.seam = *seam;
  axes.side = Cross(axes.seam, axes.along);
  return axes;
}

// A joining member's direction, one way or the other: leaning back along the axis (towards −x),
// or for a square one towards the seam, else the side.
Vec3 Oriented(const Vec3& d, const MemberAxes& axes) {
  const double x = Dot(d, axes.along), z = Dot(d, axes.seam);
  const bool square = std::fabs(x) <= kSquare;
  if (x > kSquare || (square && (z < 0 || (z == 0 && Dot(d, axes.side) < 0)))) return -1.0 * d;
  return d;
}

Vec3 SquarePart(const Vec3& d, const MemberAxes& axes) {
  return d - Dot(d, axes.along) * axes.along;
}

double Turned(double degrees) {
  return std::remainder(degrees, 360.0);
}

// A value worked out from the frame, to a millionth (of a mm or a degree): far finer than any
// cut, and no "-0" or rounding noise in the part file.
double Tidy(double value) {
  return std::round(value * 1e6) / 1e6 + 0.0;
}

// The joining tube through point along direction as a fitted end's values: where its axis
// crosses this tube's, its lean from square, its turn round the tube and its offset beside it.
PartJoint JointAt(const MemberAxes& axes, const Vec3& point, const Vec3& direction,
                  double diameter) {
  const Vec3 d = Oriented(direction, axes);
  const double alongD = Dot(d, axes.along);
  const Vec3 square = SquarePart(d, axes);
  const double cosA = Length(square);
  const Vec3 zc = (1 / cosA) * square;
  const double psi = std::atan2(Dot(zc, axes.side), Dot(zc, axes.seam));
  const Vec3 yc = std::cos(psi) * axes.side - std::sin(psi) * axes.seam;
  const Vec3 q = point - axes.middle;
  const double s = -Dot(q, zc) / cosA;
  PartJoint joint;
  joint.distance = Tidy(Dot(q, axes.along) + s * alongD);
  joint.diameter = diameter;
  joint.angle = Tidy(std::atan2(-alongD, cosA) * kDegrees);
  joint.turn = Tidy(Turned(-psi * kDegrees));
  joint.offset = Tidy(-Dot(q, yc));
  return joint;
}

class FrameCutter {
 public:
  explicit FrameCutter(const Frame& frame) : frame_(frame) {}

  FrameCut run() {
    checkSpans();
    if (!cut_.problems.empty()) return std::move(cut_);
    orderNodes();
    checkMeetings();
    checkCrossings();
    if (!cut_.problems.empty()) return std::move(cut_);
    for (std::size_t m = 0; m < frame_.members.size(); ++m) {
      cut_.parts.push_back(partOf(m, false));
      cut_.reversed.push_back(partOf(m, true));
      cut_.axes.push_back(axesOf(m, false));
    }
    squareEnds();
    for (std::size_t m = 0; m < frame_.members.size(); ++m) {
      const JobOutcome outcome = ComputePart(cut_.parts[m], 0);
      if (!outcome.job) {
        FrameProblem& problem =
            cut_.problems.emplace_back(FrameProblem{FrameProblemKind::CutRefused});
        problem.member = m;
        problem.problems = outcome.problems;
      }
    }
    return std::move(cut_);
  }

 private:
  void problem(FrameProblemKind kind, std::size_t member, std::size_t other, std::size_t node = 0,
               Vec3 at = {}, double degrees = 0) {
    cut_.problems.push_back({kind, member, other, node, at, degrees, {}});
  }

  void checkSpans() {
    const auto& nodes = frame_.nodes;
    for (std::size_t a = 0; a < nodes.size(); ++a) {
      for (std::size_t b = a + 1; b < nodes.size(); ++b) {
        if (Length(nodes[a].at - nodes[b].at) <= kNodeTolerance)
          problem(FrameProblemKind::NodesTogether, 0, b, a, nodes[a].at);
      }
    }
    for (std::size_t m = 0; m < frame_.members.size(); ++m) {
      const Span span = SpanOf(frame_, frame_.members[m]);
      if (Length(span.b - span.a) <= kNodeTolerance)
        problem(FrameProblemKind::ZeroLength, m, m, frame_.members[m].from, span.a);
    }
  }

  const FrameJointOrder* givenOrder(std::size_t node) const {
    for (const FrameJointOrder& order : frame_.joints) {
      if (order.node == node) return &order;
    }
    return nullptr;
  }

  void orderNodes() {
    const auto& members = frame_.members;
    for (std::size_t n = 0; n < frame_.nodes.size(); ++n) {
      std::vector<std::size_t> here;
      std::vector<bool> passing(members.size(), false);
      for (std::size_t m = 0; m < members.size(); ++m) {
        passing[m] = PassesThrough(frame_, members[m], n);
        if (passing[m] || EndsAt(members[m], n)) here.push_back(m);
      }
      std::stable_sort(here.begin(), here.end(), [&](std::size_t a, std::size_t b) {
        if (passing[a] != passing[b]) return static_cast<bool>(passing[a]);
        return diameterOf(a) > diameterOf(b);
      });
      NodeOrder& order = cut_.nodes.emplace_back();
      if (const FrameJointOrder* given = givenOrder(n)) {
        for (std::size_t m : given->members) {
          const auto at = std::find(here.begin(), here.end(), m);
          if (at == here.end()) {
            problem(FrameProblemKind::NotAtNode, m, m, n);
            continue;
          }
          here.erase(at);
          order.members.push_back(m);
        }
      }
      order.members.insert(order.members.end(), here.begin(), here.end());
      std::optional<std::size_t> firstEnding;
      for (std::size_t m : order.members) {
        order.passing.push_back(passing[m]);
        if (!passing[m] && !firstEnding) firstEnding = m;
        if (passing[m] && firstEnding)
          problem(FrameProblemKind::PassingAfterEnding, m, *firstEnding, n);
      }
    }
  }

  void checkMeetings() {
    for (std::size_t n = 0; n < cut_.nodes.size(); ++n) {
      const std::vector<std::size_t>& here = cut_.nodes[n].members;
      for (std::size_t i = 0; i < here.size(); ++i) {
        for (std::size_t j = i + 1; j < here.size(); ++j) {
          const double cosine = std::fabs(Dot(directionOf(here[i]), directionOf(here[j])));
          const double degrees = std::acos(std::min(1.0, cosine)) * kDegrees;
          if (degrees < kLeastMeetingDegrees)
            problem(FrameProblemKind::ShallowMeeting, here[i], here[j], n, frame_.nodes[n].at,
                    degrees);
        }
      }
    }
  }

  void checkCrossings() {
    const auto& members = frame_.members;
    // The nodes each member ends at or passes through, in order.
    std::vector<std::vector<std::size_t>> nodesOf(members.size());
    for (std::size_t n = 0; n < cut_.nodes.size(); ++n) {
      for (std::size_t m : cut_.nodes[n].members)
        nodesOf[m].push_back(n);
    }
    const auto shareNode = [&](std::size_t a, std::size_t b) {
      return std::find_first_of(nodesOf[a].begin(), nodesOf[a].end(), nodesOf[b].begin(),
                                nodesOf[b].end()) != nodesOf[a].end();
    };
    for (std::size_t a = 0; a < members.size(); ++a) {
      for (std::size_t b = a + 1; b < members.size(); ++b) {
        if (shareNode(a, b)) continue;
        const Nearest nearest =
            NearestPoints(SpanOf(frame_, members[a]), SpanOf(frame_, members[b]));
        if (nearest.distance <= kNodeTolerance)
          problem(FrameProblemKind::Crossing, a, b, 0, nearest.middle);
      }
    }
  }

  double diameterOf(std::size_t m) const { return frame_.tubes[frame_.members[m].tube].diameter; }
  Vec3 directionOf(std::size_t m) const { return DirectionOf(frame_, frame_.members[m]); }

  // The members before m at the node.
  std::vector<std::size_t> earlier(std::size_t m, std::size_t node) const {
    const std::vector<std::size_t>& order = cut_.nodes[node].members;
    return {order.begin(), std::find(order.begin(), order.end(), m)};
  }

  // The member's left and right node, either way round.
  std::pair<std::size_t, std::size_t> endNodes(std::size_t m, bool reversed) const {
    const FrameMember& member = frame_.members[m];
    return reversed ? std::pair{member.to, member.from} : std::pair{member.from, member.to};
  }

  // The member's axes, the seam where its first fitted end's first joining tube lies.
  MemberAxes axesOf(std::size_t m, bool reversed) const {
    const auto [left, right] = endNodes(m, reversed);
    const Vec3 a = frame_.nodes[left].at, b = frame_.nodes[right].at;
    const MemberAxes reference = AxesThrough(a, b, std::nullopt);
    for (const std::size_t node : {left, right}) {
      const std::vector<std::size_t> before = earlier(m, node);
      if (before.empty()) continue;
      return AxesThrough(a, b,
                         Unit(SquarePart(Oriented(directionOf(before[0]), reference), reference)));
    }
    return reference;
  }

  PartEnd endAt(std::size_t m, std::size_t node, const MemberAxes& axes, double x) const {
    PartEnd end;
    end.distance = x;
    const std::vector<std::size_t> before = earlier(m, node);
    if (before.empty()) return end;
    std::vector<PartJoint> joints;
    for (std::size_t e : before) {
      const FrameMember& other = frame_.members[e];
      joints.push_back(JointAt(axes, frame_.nodes[other.from].at, directionOf(e), diameterOf(e)));
    }
    end.oval = true;
    end.compensation = frame_.compensation;
    end.distance = joints[0].distance;
    end.diameter = joints[0].diameter;
    end.angle = joints[0].angle;
    end.turn = joints[0].turn;
    end.offset = joints[0].offset;
    end.joints.assign(joints.begin() + 1, joints.end());
    return end;
  }

  Part partOf(std::size_t m, bool reversed) const {
    const FrameMember& member = frame_.members[m];
    const FrameTube& tube = frame_.tubes[member.tube];
    const MemberAxes axes = axesOf(m, reversed);
    const auto [left, right] = endNodes(m, reversed);
    const double half = Tidy(Length(frame_.nodes[right].at - frame_.nodes[left].at) / 2);
    Part part;
    part.name = member.name;
    part.diameter = tube.diameter;
    part.wall = tube.wall;
    part.segments = frame_.segments;
    part.angleLetter = "A";
    part.left = endAt(m, left, axes, -half);
    part.right = endAt(m, right, axes, half);
    return part;
  }

  // Where the fitted end of member m at node lies on both surfaces of its wall, in the frame.
  std::vector<Vec3> fittedPoints(std::size_t m, std::size_t node) const {
    const Part& part = cut_.parts[m];
    const MemberAxes& axes = cut_.axes[m];
    const bool left = frame_.members[m].from == node;
    const JobParameters job = JobOf(part);
    const int n = job.cutSegments;
    StepAngles steps;
    steps.compute(n, 0);
    const EndCut cut = ComputeEndCut(left ? -1 : 1, left ? job.left : job.right, job, steps);
    std::vector<Vec3> points;
    for (int i = 0; i <= n; ++i) {
      const double theta = StepAngle(i, n);
      for (const auto& [x, r] :
           {std::pair{cut.surfaces.outer[i], job.mainRadius},
            std::pair{cut.surfaces.inner[i], job.mainRadius - job.wallThickness}}) {
        if (std::isfinite(x)) points.push_back(axes.at(x, theta, r));
      }
    }
    return points;
  }

  // Each end with no earlier member at its node reaches as far as the ends fitted onto it.
  void squareEnds() {
    for (std::size_t m = 0; m < frame_.members.size(); ++m) {
      const FrameMember& member = frame_.members[m];
      for (const std::size_t node : {member.from, member.to}) {
        const std::vector<std::size_t>& order = cut_.nodes[node].members;
        if (order.front() != m) continue;
        if (order.size() == 1) {
          cut_.freeEnds.push_back({m, node});
          continue;
        }
        const bool left = node == member.from;
        const Vec3 outward = (left ? -1.0 : 1.0) * cut_.axes[m].along;
        double reach = 0;
        for (std::size_t k = 1; k < order.size(); ++k) {
          for (const Vec3& p : fittedPoints(order[k], node))
            reach = std::max(reach, Dot(p - frame_.nodes[node].at, outward));
        }
        reach = Tidy(reach);
        (left ? cut_.parts[m].left : cut_.parts[m].right).distance += (left ? -reach : reach);
        (left ? cut_.reversed[m].right : cut_.reversed[m].left).distance += (left ? reach : -reach);
      }
    }
  }

  const Frame& frame_;
  FrameCut cut_;
};

bool Near(double a, double b, double tolerance) {
  return std::fabs(a - b) <= tolerance;
}

// Joining tubes that give the same cut within kSameCut on a tube of radius r.
bool SameJoint(const PartJoint& a, const PartJoint& b, double r) {
  const double degrees = kSameCut / std::max({r, a.diameter / 2, 1.0}) * kDegrees;
  return Near(a.distance, b.distance, kSameCut) && Near(a.diameter, b.diameter, kSameCut) &&
         Near(a.angle, b.angle, degrees) && Near(Turned(a.turn - b.turn), 0, degrees) &&
         Near(a.offset, b.offset, kSameCut);
}

PartJoint OwnJoint(const PartEnd& end) {
  return {end.distance, end.diameter, end.angle, end.turn, end.offset};
}

// The same ends: the further joining tubes in any order, as the cut does not depend on it.
bool SameEnd(const PartEnd& a, const PartEnd& b, double r) {
  if (a.oval != b.oval || a.compensation != b.compensation || a.mode3d != b.mode3d ||
      a.joints.size() != b.joints.size() || !SameJoint(OwnJoint(a), OwnJoint(b), r))
    return false;
  std::vector<bool> matched(b.joints.size(), false);
  for (const PartJoint& joint : a.joints) {
    std::size_t k = 0;
    while (k < b.joints.size() && (matched[k] || !SameJoint(joint, b.joints[k], r)))
      ++k;
    if (k == b.joints.size()) return false;
    matched[k] = true;
  }
  return true;
}

bool SamePart(const Part& a, const Part& b) {
  return a.diameter == b.diameter && a.wall == b.wall && a.segments == b.segments &&
         SameEnd(a.left, b.left, a.diameter / 2) && SameEnd(a.right, b.right, a.diameter / 2);
}

}  // namespace

Vec3 MemberAxes::at(double x, double theta, double r) const {
  return middle + x * along + r * (std::sin(theta) * side + std::cos(theta) * seam);
}

FrameCut CutFrame(const Frame& frame) {
  return FrameCutter(frame).run();
}

std::vector<std::size_t> SameParts(const FrameCut& cut) {
  std::vector<std::size_t> same(cut.parts.size());
  for (std::size_t m = 0; m < cut.parts.size(); ++m) {
    same[m] = m;
    for (std::size_t first = 0; first < m; ++first) {
      if (same[first] != first) continue;
      if (SamePart(cut.parts[first], cut.parts[m]) || SamePart(cut.parts[first], cut.reversed[m])) {
        same[m] = first;
        break;
      }
    }
  }
  return same;
}

}  // namespace korvex
