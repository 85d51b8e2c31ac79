#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QVector3D>

namespace korvex {

class ViewWidget;

// The view's client area as the screen shows it now.
QImage GrabViewFromScreen(const ViewWidget& view);

// Where a world point lands in the view's client area under the view's current camera and
// the 15 degree perspective.
QPointF ProjectToView(const ViewWidget& view, QVector3D world);

// Whether a pixel within radius of at satisfies the test.
template <typename Test>
bool AnyPixelNear(const QImage& image, QPointF at, int radius, Test test) {
  const int cx = qRound(at.x());
  const int cy = qRound(at.y());
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if (image.valid(x, y) && test(image.pixelColor(x, y))) return true;
    }
  }
  return false;
}

inline bool IsBackground(const QColor& c) {
  return std::abs(c.red() - 230) <= 3 && std::abs(c.green() - 242) <= 3 && c.blue() >= 252;
}

// The red machine path, lit: strong red, little green and blue.
inline bool IsMachinePathRed(const QColor& c) {
  return c.red() >= 140 && c.green() <= c.red() / 2 && c.blue() <= c.red() / 2;
}

// The reference grids' light grey, lit: neutral and clearly darker than the background.
inline bool IsGridGrey(const QColor& c) {
  return std::abs(c.red() - c.green()) <= 12 && std::abs(c.green() - c.blue()) <= 12 &&
         c.red() >= 90 && c.red() <= 225;
}

}  // namespace korvex
