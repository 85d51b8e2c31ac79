#pragma once

#include "scene/camera.h"

namespace korvex {

// What the view remembers of the pointer and the wheel between drawings. The camera reads it
// at every drawing.
struct ViewInput {
  PointerState pointer;
  double distance = 2000;  // of the eye from the world origin
  int wheelTurn = 0;       // the part of a notch turned since the last zoom step

  // Start-up: the first drawing sees a middle-button drag from (0, 0) to (60, 30), which turns
  // the eye to yaw -60, pitch -30.
  static ViewInput AtStartUp();

  // A pointer move with the key state it reports. True when the view should take the keyboard
  // focus first: a button was held at the previous move, so the wheel keeps reaching the view.
  bool move(const PointerState& now);

  // Releasing the left button records the position and draws nothing.
  void releaseLeftButton(int x, int y);

  // One wheel event: turned away from the user the eye moves 1.2 times further out, towards the
  // user 1.2 times closer, once per event of a whole notch (120) or more. A high-resolution
  // wheel's smaller turns add up in the same direction until they make a notch. A purely
  // sideways turn does nothing. True when the distance changed.
  bool turnWheel(int delta);
};

}  // namespace korvex
