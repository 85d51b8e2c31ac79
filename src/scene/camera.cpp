#include "scene/camera.h"

#include <cmath>

#include "base/pi.h"

namespace korvex {
namespace {

double Radians(int degrees) {
  return kPi * degrees / 180;
}

// Past either end the yaw jumps to the opposite end instead of wrapping.
std::int16_t JumpedYaw(double yaw) {
  if (yaw < -180) return 180;
  if (yaw > 180) return -180;
  return static_cast<std::int16_t>(yaw);
}

std::int16_t ClampedPitch(double pitch) {
  if (pitch < -90) return -90;
  if (pitch > 90) return 90;
  return static_cast<std::int16_t>(pitch);
}

}  // namespace

void Camera::follow(const PointerState& pointer) {
  // Sign reversed: dragging right turns the eye the other way.
  const double dx = lastPointerX_ - pointer.x;
  const double dy = lastPointerY_ - pointer.y;
  if (pointer.buttons == kMiddleButtonFlag) {
    orbit(dx, dy);
  } else if (pointer.buttons == kRightButtonFlag) {
    pan(dx, dy);
  }
  lastPointerX_ = pointer.x;
  lastPointerY_ = pointer.y;
}

void Camera::orbit(double dx, double dy) {
  yawDegrees_ = JumpedYaw(yawDegrees_ + dx);
  pitchDegrees_ = ClampedPitch(pitchDegrees_ + dy);
}

void Camera::pan(double dx, double dy) {
  const double yaw = Radians(yawDegrees_);
  lookAtX_ += std::sin(yaw) * dx;
  lookAtY_ -= std::cos(yaw) * dx;
  lookAtZ_ += dy;
}

LookAt Camera::lookAt(double distance) const {
  const double yaw = Radians(yawDegrees_);
  const double pitch = Radians(pitchDegrees_);
  return {std::cos(yaw) * distance * std::cos(pitch),
          std::sin(yaw) * distance * std::cos(pitch),
          std::sin(-pitch) * distance,
          lookAtX_,
          lookAtY_,
          lookAtZ_};
}

}  // namespace korvex
