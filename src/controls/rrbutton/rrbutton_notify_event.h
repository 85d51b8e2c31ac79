#pragma once

#include <QEvent>
#include <cstdint>
#include <optional>

namespace korvex {

class RRButton;

// A message a button sends to its parent: a click (WM_COMMAND with the id and BN_CLICKED),
// a paint notification (RRBN_PAINT*), or a forwarded WM_COMMAND / WM_NOTIFY.
class RRButtonNotifyEvent : public QEvent {
 public:
  RRButtonNotifyEvent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                      RRButton* button);

  static QEvent::Type eventType();

  unsigned message() const { return message_; }
  std::uintptr_t wParam() const { return wParam_; }
  std::intptr_t lParam() const { return lParam_; }
  RRButton* button() const { return button_; }

  // The control id of a click: WM_COMMAND with the id in the low word of wParam and BN_CLICKED
  // (0) or 1 in the high word. Nothing for paint notifications and every other message.
  std::optional<int> clickedControlId() const;

 private:
  unsigned message_;
  std::uintptr_t wParam_;
  std::intptr_t lParam_;
  RRButton* button_;
};

}  // namespace korvex
