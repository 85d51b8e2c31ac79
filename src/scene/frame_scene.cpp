#include "scene/frame_scene.h"

#include <algorithm>

#include "domain/computed_job.h"
#include "scene/draw_list.h"

namespace korvex {
namespace {

constexpr Rgba kMemberColour{0.25f, 0.35f, 0.55f, 0.35f};
constexpr Rgba kEdgeColour{0.05f, 0.1f, 0.3f, 1};
constexpr Rgba kChosenColour{1, 0.45f, 0, 0.6f};
constexpr Rgba kChosenEdgeColour{0.85f, 0.3f, 0, 1};

// A pointer this many pixels beside a tube still points at it.
constexpr double kPickPixels = 4;

Vertex ToVertex(const Vec3& p) {
  return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
}

double Theta(std::size_t i, std::size_t segments) {
  return StepAngle(static_cast<int>(i), static_cast<int>(segments));
}

Vec3 EdgePoint(const MemberOutline& m, const std::vector<double>& edge, std::size_t i) {
  return m.axes.at(edge[i], Theta(i, edge.size() - 1), m.radius);
}

void DrawMember(const MemberOutline& m, bool chosen, DrawList& list) {
  const std::size_t n = m.left.empty() ? 0 : m.left.size() - 1;
  list.setLineWidth(chosen ? 2 : 1);
  list.beginLines(chosen ? kChosenColour : kMemberColour);
  for (std::size_t i = 0; i < n; ++i)
    list.addSegment(ToVertex(EdgePoint(m, m.left, i)), ToVertex(EdgePoint(m, m.right, i)));
  list.setLineWidth(chosen ? 3 : 2);
  list.beginLines(chosen ? kChosenEdgeColour : kEdgeColour);
  for (const std::vector<double>* edge : {&m.left, &m.right}) {
    for (std::size_t i = 0; i < n; ++i)
      list.addSegment(ToVertex(EdgePoint(m, *edge, i)), ToVertex(EdgePoint(m, *edge, i + 1)));
  }
}

// Where the line of sight passes a member's axis: how far from it and how far along the ray.
struct Passing {
  double distance;
  double along;
};

Passing PassingOf(const ViewRay& ray, const Vec3& a, const Vec3& b) {
  const Vec3 u = b - a, w = ray.from - a;
  const double uu = Dot(u, u), du = Dot(ray.direction, u), dw = Dot(ray.direction, w);
  const double uw = Dot(u, w);
  // The nearest points of the ray and the segment, each kept on its own.
  const double denominator = uu - du * du;
  double s = denominator > 1e-12 * uu ? (uw - du * dw) / denominator : 0;
  s = std::clamp(s, 0.0, 1.0);
  const double t = std::max(0.0, s * du - dw);
  s = std::clamp((t * du + uw) / uu, 0.0, 1.0);
  const Vec3 onRay = ray.from + t * ray.direction;
  return {Length(onRay - (a + s * u)), t};
}

}  // namespace

MemberOutline OutlineOf(const MemberAxes& axes, const ComputedJob& job) {
  const auto points = static_cast<std::size_t>(job.parameters.cutSegments) + 1;
  return {axes, job.parameters.mainRadius,
          std::vector<double>(job.left.path.x.begin(), job.left.path.x.begin() + points),
          std::vector<double>(job.right.path.x.begin(), job.right.path.x.begin() + points)};
}

void DrawFrameScene(const std::vector<MemberOutline>& members, const std::vector<bool>& highlighted,
                    DrawList& list) {
  list.clear();
  for (std::size_t m = 0; m < members.size(); ++m)
    DrawMember(members[m], m < highlighted.size() && highlighted[m], list);
  list.setLineWidth(1);
}

std::array<Vec3, 2> MemberEnds(const MemberOutline& member) {
  if (member.left.empty()) return {member.axes.middle, member.axes.middle};
  const double left = *std::min_element(member.left.begin(), member.left.end());
  const double right = *std::max_element(member.right.begin(), member.right.end());
  return {member.axes.at(left, 0, 0), member.axes.at(right, 0, 0)};
}

Vec3 MemberMiddle(const MemberOutline& member) {
  const auto [left, right] = MemberEnds(member);
  return 0.5 * (left + right);
}

std::optional<std::size_t> MemberAt(const std::vector<MemberOutline>& members,
                                    const ViewGeometry& view, double x, double y) {
  const auto ray = RayThrough(view, x, y);
  if (!ray) return std::nullopt;
  std::optional<std::size_t> best;
  double bestPixels = kPickPixels, bestAlong = 0;
  for (std::size_t m = 0; m < members.size(); ++m) {
    const MemberOutline& member = members[m];
    if (member.left.empty()) continue;
    const auto [left, right] = MemberEnds(member);
    const Passing passing = PassingOf(*ray, left, right);
    const double pixels = std::max(0.0, passing.distance - member.radius) /
                          PixelSizeAt(view, std::max(passing.along, kViewNear));
    const bool nearer = pixels < bestPixels || (pixels == bestPixels && passing.along < bestAlong);
    if (nearer && pixels <= kPickPixels) {
      best = m;
      bestPixels = pixels;
      bestAlong = passing.along;
    }
  }
  return best;
}

}  // namespace korvex
