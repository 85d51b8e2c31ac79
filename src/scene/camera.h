#pragma once

#include <cstdint>

namespace korvex {

// Mouse key-state flags as the view records them with every pointer move.
enum PointerFlag : int {
  kLeftButtonFlag = 1,
  kRightButtonFlag = 2,
  kShiftFlag = 4,
  kControlFlag = 8,
  kMiddleButtonFlag = 16,
  kExtraButton1Flag = 32,
  kExtraButton2Flag = 64,
};

// The pointer as last seen over the view, in view client pixels.
struct PointerState {
  int buttons = 0;
  int x = 0;
  int y = 0;
};

// gluLookAt's arguments; the up direction is always +Z.
struct LookAt {
  double eyeX, eyeY, eyeZ;
  double centreX, centreY, centreZ;
};

// Orbit and pan driven by the pointer. Dragging with the middle button alone turns the eye
// about the world origin one degree per pixel; with the right button alone it moves the point
// looked at one world unit per pixel. Every other button state only records the position.
class Camera {
 public:
  // Consumes the movement since the previous call. Calling it again with the same pointer
  // changes nothing, so every drawing may call it.
  void follow(const PointerState& pointer);

  // The view transformation at the given distance of the eye from the world origin.
  LookAt lookAt(double distance) const;

  int yawDegrees() const { return yawDegrees_; }
  int pitchDegrees() const { return pitchDegrees_; }
  double lookAtX() const { return lookAtX_; }
  double lookAtY() const { return lookAtY_; }
  double lookAtZ() const { return lookAtZ_; }
  double lastPointerX() const { return lastPointerX_; }
  double lastPointerY() const { return lastPointerY_; }

 private:
  void orbit(double dx, double dy);
  void pan(double dx, double dy);

  std::int16_t yawDegrees_ = 0;    // -180..180
  std::int16_t pitchDegrees_ = 0;  // -90..90; negative puts the eye above the XY plane
  double lookAtX_ = 0;
  double lookAtY_ = 0;
  double lookAtZ_ = 0;
  double lastPointerX_ = 0;
  double lastPointerY_ = 0;
};

}  // namespace korvex
