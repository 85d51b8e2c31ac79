#include "scene/view_input.h"

namespace korvex {
namespace {

// Single precision, as the zoom has always used.
constexpr float kZoomStep = 1.2f;

// One notch of a wheel in the units of its turn.
constexpr int kWheelNotch = 120;

}  // namespace

ViewInput ViewInput::AtStartUp() {
  ViewInput input;
  input.pointer = {kMiddleButtonFlag, 60, 30};
  input.distance = 2000;
  return input;
}

bool ViewInput::move(const PointerState& now) {
  const bool takeFocus = pointer.buttons != 0;
  pointer = now;
  return takeFocus;
}

void ViewInput::releaseLeftButton(int x, int y) {
  pointer.x = x;
  pointer.y = y;
}

bool ViewInput::turnWheel(int delta) {
  if (delta == 0) return false;
  const bool turnedBack = (delta > 0) != (wheelTurn > 0);
  wheelTurn = (wheelTurn == 0 || turnedBack) ? delta : wheelTurn + delta;
  if (wheelTurn > -kWheelNotch && wheelTurn < kWheelNotch) return false;
  distance = wheelTurn > 0 ? distance * kZoomStep : distance / kZoomStep;
  wheelTurn = 0;
  return true;
}

}  // namespace korvex
