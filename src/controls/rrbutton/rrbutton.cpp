#include "rrbutton.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>

#include "rrbutton_color_setup.h"
#include "rrbutton_geometry.h"

namespace korvex {

namespace {
constexpr int kHoverIntervalMs = 10;
}

RRButton::RRButton(QWidget* parent, int id) : QWidget(parent) {
  InitializeState(state_, this, id, parent, systemColours());
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  hoverTimer_.setInterval(kHoverIntervalMs);
  connect(&hoverTimer_, &QTimer::timeout, this, [this] { hoverTick(); });
  sendMessage(RRBM_SETCORNER, 20, 0);
}

// The image slots release what the button loaded and leave a shared image alone.
RRButton::~RRButton() {
  stopHoverTimer();
}

bool RRButton::cursorInside() const {
  return state_.region.contains(mapFromGlobal(QCursor::pos()));
}

bool RRButton::event(QEvent* event) {
  // Enter belongs to the button, not to a shortcut or a dialog's default button.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && wantsEnter()) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void RRButton::resizeEvent(QResizeEvent* event) {
  state_.region = RoundedRegion(size(), state_.corner);
  QWidget::resizeEvent(event);
}

void RRButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  if (event->type() == QEvent::PaletteChange && ApplySystemColourChange(state_, systemColours())) {
    update();
  }
  QWidget::changeEvent(event);
}

SystemColours RRButton::systemColours() const {
  return ReadSystemColours(palette());
}

void RRButton::setLook(Look look) {
  if (state_.look == look) return;
  state_.look = look;
  repaint();
}

void RRButton::notifyParent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (state_.parent.isNull()) return;
  RRButtonNotifyEvent notification(message, wParam, lParam, this);
  QCoreApplication::sendEvent(state_.parent, &notification);
}

void RRButton::sendClick() {
  const auto idWord = static_cast<std::uintptr_t>(state_.id) & 0xFFFF;
  notifyParent(WM_COMMAND, idWord | (BN_CLICKED << 16), reinterpret_cast<std::intptr_t>(this));
}

}  // namespace korvex
