#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "rrbutton_colors.h"
#include "rrbutton_messages.h"
#include "rrbutton_notify_event.h"
#include "rrbutton_state.h"

namespace korvex {

struct BodyPlan;

// A push button with rounded corners, a caption and an image. It changes its look while the
// pointer is over it (hot) and while it is pressed, and reports a click to its parent as
// WM_COMMAND with its id and BN_CLICKED. Every property is set through sendMessage.
class RRButton : public QWidget {
  Q_OBJECT

 public:
  RRButton(QWidget* parent, int id);
  ~RRButton() override;

  // The one entry point for the message interface: every RRBM_* set and query code,
  // BM_SETIMAGE, WM_SETTEXT, WM_SETFONT, WM_GETDLGCODE and the forwarded WM_COMMAND / WM_NOTIFY.
  // For image loading, lParam points to a zero-terminated name; for BM_SETIMAGE it is a
  // ButtonImage* that stays the caller's. Unknown messages return 0.
  std::intptr_t sendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  int id() const { return state_.id; }
  const RRButtonState& state() const { return state_; }

  // The caption. Changing it does not repaint; the new text shows at the next paint.
  QString text() const { return caption_; }
  void setText(const QString& caption) { caption_ = caption; }

  // Whether the pointer, where it is now, lies inside the rounded shape.
  bool cursorInside() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Message handling.
  bool setSimpleProperty(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  std::optional<std::intptr_t> queryProperty(unsigned message) const;
  std::intptr_t setCorner(int corner, std::intptr_t lParam);
  std::intptr_t setFaceColor(ColorRef color, std::intptr_t lParam);
  std::intptr_t setFixedLook(int fixedLook, std::intptr_t lParam);
  std::intptr_t setCursorShape(std::uintptr_t cursorId, std::intptr_t cursor);
  std::intptr_t setImagePosition(std::intptr_t x, std::intptr_t y);
  std::intptr_t loadImage(unsigned message, unsigned type, std::intptr_t name);
  std::intptr_t setSharedImage(unsigned type, std::intptr_t image);
  std::intptr_t setFontMessage(std::uintptr_t font, std::intptr_t lParam);
  std::intptr_t dialogCode(std::intptr_t keyEvent) const;
  void redrawIfAsked(std::intptr_t lParam);
  void redrawNow();

  // Input.
  void leftButtonDown(QMouseEvent* event);
  bool wantsEnter() const;
  void startHoverTimer();
  void stopHoverTimer();
  void hoverTick();
  void showButtonCursor();
  void showArrowCursor();
  void setLook(Look look);
  void sendClick();
  void notifyParent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  // Painting.
  SystemColours systemColours() const;
  void paintBody(QPainter& painter, const SystemColours& colours);
  void paintOutlines(QPainter& painter, const BodyPlan& plan);
  void paintCaptionAndImage(QPainter& painter, const SystemColours& colours);
  void paintCaption(QPainter& painter, const QRect& rect, ColorRef colour, bool highlightCopy,
                    const SystemColours& colours);
  void drawCaptionText(QPainter& painter, const QRect& rect, ColorRef colour);
  void paintImage(QPainter& painter, const ButtonImage* image, QPoint topLeft);

  RRButtonState state_;
  QString caption_;
  QTimer hoverTimer_{this};
  bool buttonCursorShowing_ = false;
};

// Creates a button as a child of parent at a pixel position and size, with the caption, the
// window style (WS_VISIBLE shows it, WS_DISABLED disables it, WS_TABSTOP lets Tab reach it)
// and the extended style. A non-zero flag also gives it the parent's font, as a dialog does
// for its controls; both values create at pixel coordinates. Returns nullptr when the button
// cannot be created (a child style without a parent, or no memory).
RRButton* RRButtonCreate(QWidget* parent, int id, const char* caption, int x, int y, int width,
                         int height, unsigned style, unsigned extendedStyle, int flag);

}  // namespace korvex
