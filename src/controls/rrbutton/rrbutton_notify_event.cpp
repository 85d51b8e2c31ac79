#include "rrbutton_notify_event.h"

namespace korvex {

RRButtonNotifyEvent::RRButtonNotifyEvent(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam, RRButton* button)
    : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam), button_(button) {}

QEvent::Type RRButtonNotifyEvent::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace korvex
