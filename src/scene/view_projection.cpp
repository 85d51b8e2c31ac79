#include "scene/view_projection.h"

#include "base/pi.h"

namespace korvex {
namespace {

// The eye's own axes as gluLookAt makes them: forward, right and up, unit; nothing when forward
// runs along the world's up (+Z).
struct EyeAxes {
  Vec3 eye, forward, right, up;
};

std::optional<EyeAxes> EyeAxesOf(const LookAt& look) {
  const Vec3 eye{look.eyeX, look.eyeY, look.eyeZ};
  const Vec3 towards = Vec3{look.centreX, look.centreY, look.centreZ} - eye;
  const Vec3 side = Cross(towards, {0, 0, 1});
  if (Length(towards) == 0 || Length(side) < 1e-12 * Length(towards)) return std::nullopt;
  const Vec3 forward = Unit(towards), right = Unit(side);
  return EyeAxes{eye, forward, right, Cross(right, forward)};
}

double HalfFieldTangent() {
  return std::tan(kViewFieldDegrees * kPi / 360);
}

double Aspect(const ViewGeometry& view) {
  return static_cast<double>(view.width) / (view.height > 0 ? view.height : 1);
}

}  // namespace

std::optional<std::array<double, 2>> PixelOf(const ViewGeometry& view, const Vec3& point) {
  const auto axes = EyeAxesOf(view.look);
  if (!axes) return std::nullopt;
  const Vec3 seen = point - view.origin - axes->eye;
  const double depth = Dot(seen, axes->forward);
  if (depth < kViewNear) return std::nullopt;
  const double x = Dot(seen, axes->right) / (depth * HalfFieldTangent() * Aspect(view));
  const double y = Dot(seen, axes->up) / (depth * HalfFieldTangent());
  return std::array<double, 2>{(x + 1) / 2 * view.width, (1 - y) / 2 * view.height};
}

std::optional<ViewRay> RayThrough(const ViewGeometry& view, double x, double y) {
  const auto axes = EyeAxesOf(view.look);
  if (!axes) return std::nullopt;
  const double across = (2 * x / view.width - 1) * HalfFieldTangent() * Aspect(view);
  const double upwards = (1 - 2 * y / view.height) * HalfFieldTangent();
  const Vec3 direction = axes->forward + across * axes->right + upwards * axes->up;
  return ViewRay{axes->eye + view.origin, Unit(direction)};
}

double PixelSizeAt(const ViewGeometry& view, double distance) {
  return 2 * distance * HalfFieldTangent() / (view.height > 0 ? view.height : 1);
}

}  // namespace korvex
