#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "rrbutton.h"

namespace korvex {
namespace {

bool IsEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

// Mouse handlers decide by where the pointer is now (cursorInside), not by the event's
// position. While a button is held, Qt delivers moves and the release here (implicit grab),
// which is the capture the drag-out-and-back behaviour relies on.

void RRButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  leftButtonDown(event);
}

// A double-click is a second press, so it clicks a second time on release.
void RRButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  leftButtonDown(event);
}

void RRButton::leftButtonDown(QMouseEvent* event) {
  if (!cursorInside() || state_.pressSource == PressSource::kSpace) {
    event->ignore();
    return;
  }
  if (state_.ignoresMouse()) return;
  state_.pressSource = PressSource::kMouse;
  if ((state_.interactive() || state_.focusable != 0) && !hasFocus()) {
    setFocus(Qt::MouseFocusReason);
  }
  state_.look = Look::kPressed;
  repaint();
}

void RRButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (state_.ignoresMouse() || state_.pressSource != PressSource::kMouse) return;
  const Look before = state_.look;
  const bool hot = cursorInside() && state_.interactive();
  state_.pressSource = PressSource::kNone;
  state_.look = hot ? Look::kHot : Look::kNormal;
  repaint();
  if (before != Look::kNormal && isEnabled()) sendClick();
}

void RRButton::mouseMoveEvent(QMouseEvent* event) {
  const bool inside = cursorInside();
  if (state_.ignoresMouse()) {
    if (inside) showButtonCursor();
    return;
  }
  if (state_.pressSource == PressSource::kSpace) return QWidget::mouseMoveEvent(event);
  if (!inside) {
    showArrowCursor();
    setLook(Look::kNormal);
    return;
  }
  showButtonCursor();
  if (state_.interactive()) startHoverTimer();
  if (state_.pressSource == PressSource::kMouse) {
    setLook(Look::kPressed);
  } else {
    setLook(state_.interactive() ? Look::kHot : Look::kNormal);
  }
}

void RRButton::startHoverTimer() {
  if (state_.hoverTimer != 0) return;
  hoverTimer_.start();
  state_.hoverTimer = hoverTimer_.timerId();
}

void RRButton::stopHoverTimer() {
  hoverTimer_.stop();
  state_.hoverTimer = 0;
}

// Returns the button to its normal look when the pointer left without a move over it. A press
// with the space bar keeps its look: where the pointer is does not cancel a keyboard press.
void RRButton::hoverTick() {
  if (cursorInside()) return;
  stopHoverTimer();
  if (state_.pressSource != PressSource::kSpace) setLook(Look::kNormal);
}

void RRButton::showButtonCursor() {
  if (buttonCursorShowing_) return;
  setCursor(state_.cursor);
  buttonCursorShowing_ = true;
}

void RRButton::showArrowCursor() {
  if (!buttonCursorShowing_) return;
  setCursor(Qt::ArrowCursor);
  buttonCursorShowing_ = false;
}

void RRButton::keyPressEvent(QKeyEvent* event) {
  if (state_.pressSource != PressSource::kNone) return QWidget::keyPressEvent(event);
  if (IsEnter(event)) {
    sendClick();
  } else if (event->key() == Qt::Key_Space) {
    state_.look = Look::kPressed;
    state_.pressSource = PressSource::kSpace;
    repaint();
  } else {
    QWidget::keyPressEvent(event);
  }
}

// Only the release of the space bar itself ends a space press; the releases Qt reports for an
// auto-repeating key are not real ones.
void RRButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || event->key() != Qt::Key_Space ||
      state_.pressSource != PressSource::kSpace) {
    return QWidget::keyReleaseEvent(event);
  }
  state_.pressSource = PressSource::kNone;
  const bool wasPressed = state_.look != Look::kNormal;
  setLook(Look::kNormal);
  if (wasPressed && isEnabled()) sendClick();
  setLook(Look::kNormal);
}

void RRButton::focusInEvent(QFocusEvent* event) {
  // The focus a mouse press asks for arrives after the press when the same click activates the
  // window; it must not undo the pressed look, or the release would not click.
  if (state_.pressSource != PressSource::kMouse) state_.look = Look::kNormal;
  if (state_.ignoresMouse()) {
    const bool backwards = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    focusNextPrevChild(!backwards);
  }
  repaint();
  QWidget::focusInEvent(event);
}

void RRButton::focusOutEvent(QFocusEvent* event) {
  state_.look = Look::kNormal;
  state_.pressSource = PressSource::kNone;
  repaint();
  QWidget::focusOutEvent(event);
}

}  // namespace korvex
