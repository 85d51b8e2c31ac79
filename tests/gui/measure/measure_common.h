#pragma once

#include <functional>

class QOpenGLWidget;
class QWidget;

namespace korvex {

// Runs one measurement on a shown window with an OpenGL view and prints "name value" lines:
//   first-frame  milliseconds from KORVEX_MEASURE_T0 (ns since the epoch) to the first frame
//   redraw       median milliseconds from a pointer move over the view to its frame
// prepare runs once after the first frame, before the redraws are timed.
int RunMeasurement(const char* mode, QWidget& window, QOpenGLWidget& view,
                   const std::function<void()>& prepare);

// Saves the window as the screen shows it after its first frame.
int SaveScreenshot(QWidget& window, QOpenGLWidget& view, const char* path);

}  // namespace korvex
