#include "scene/view_input.h"

namespace korvex {
namespace {

// Single precision, as the zoom has always used.
constexpr float kZoomStep = 1.2f;

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
  if (delta > 0) {
    distance = distance * kZoomStep;
  } else if (delta < 0) {
    distance = distance / kZoomStep;
  } else {
    return false;
  }
  return true;
}

}  // namespace korvex
