#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "rrbutton.h"

namespace korvex::testing {

// A top-level window that parents buttons and records every message they send it.
class TestWindow : public QWidget {
 public:
  struct Notification {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    RRButton* button;
  };

  TestWindow();

  // Shows the window at a fixed place, waits until it is on screen and active.
  bool showAndActivate();

  int count(unsigned message) const;
  int clicks() const { return count(WM_COMMAND); }
  const std::vector<Notification>& notifications() const { return notifications_; }
  void clearNotifications() { notifications_.clear(); }

 protected:
  bool event(QEvent* event) override;

 private:
  std::vector<Notification> notifications_;
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget);
  int paints() const { return paints_; }
  void reset() { paints_ = 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int paints_ = 0;
};

// Puts the real pointer at a point given in the button's coordinates and lets the button see
// a move there, as it would while buttons are held or not.
void MovePointer(RRButton* button, QPoint local, Qt::MouseButtons held = Qt::NoButton);
// Parks the pointer far away from every test window.
void ParkPointer();
void PressAt(RRButton* button, QPoint local);
void ReleaseAt(RRButton* button, QPoint local);
void DoubleClickAt(RRButton* button, QPoint local);
// The button's hover timer, and one tick of it delivered now.
QTimer* HoverTimer(RRButton* button);
void TickHoverTimer(RRButton* button);
// The button as it paints itself.
QImage Render(RRButton* button);

}  // namespace korvex::testing
