#include "rrbutton_notify_event.h"

#include "rrbutton_messages.h"

namespace korvex {

RRButtonNotifyEvent::RRButtonNotifyEvent(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam, RRButton* button)
    : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam), button_(button) {}

std::optional<int> RRButtonNotifyEvent::clickedControlId() const {
  const auto notification = (wParam_ >> 16) & 0xFFFF;
  if (message_ != WM_COMMAND || notification > 1) return std::nullopt;
  return static_cast<int>(wParam_ & 0xFFFF);
}

QEvent::Type RRButtonNotifyEvent::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace korvex
