#pragma once

#include <array>
#include <optional>

#include "domain/vec3.h"
#include "scene/camera.h"

namespace korvex {

// The view's vertical field of view; the eye sees from 1 to 100 000 mm.
inline constexpr double kViewFieldDegrees = 15;
inline constexpr double kViewNear = 1;
inline constexpr double kViewFar = 100000;

// How a view shows its scene: the camera, the scene point drawn at the world's origin (about
// which the camera orbits), and the view's size in pixels.
struct ViewGeometry {
  LookAt look{};
  Vec3 origin{};
  int width = 1;
  int height = 1;
};

// Where a scene point appears in the view, in pixels from its top left corner; nothing when it
// lies behind the eye or nearer than the view sees.
std::optional<std::array<double, 2>> PixelOf(const ViewGeometry& view, const Vec3& point);

// The line of sight through a point of the view (pixels from its top left corner), in scene
// coordinates, direction unit; nothing when the camera looks straight up or down its own up.
struct ViewRay {
  Vec3 from{};
  Vec3 direction{};
};
std::optional<ViewRay> RayThrough(const ViewGeometry& view, double x, double y);

// The size of one pixel, in mm, of something this far from the eye.
double PixelSizeAt(const ViewGeometry& view, double distance);

}  // namespace korvex
