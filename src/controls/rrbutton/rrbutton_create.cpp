#include <new>

#include "rrbutton.h"

namespace korvex {
namespace {

bool Has(unsigned style, unsigned flag) {
  return (style & flag) != 0;
}

}  // namespace

RRButton* RRButtonCreate(QWidget* parent, int id, const char* caption, int x, int y, int width,
                         int height, unsigned style, unsigned /*extendedStyle*/, int flag) {
  if (Has(style, WS_CHILD) && parent == nullptr) return nullptr;
  RRButton* button = new (std::nothrow) RRButton(parent, id);
  if (button == nullptr) return nullptr;
  button->setText(caption != nullptr ? QString::fromLocal8Bit(caption) : QString());
  button->setGeometry(x, y, width, height);
  if (flag != 0 && parent != nullptr) {
    const QFont dialogFont = parent->font();
    button->sendMessage(WM_SETFONT, reinterpret_cast<std::uintptr_t>(&dialogFont), 0);
  }
  button->setFocusPolicy(Has(style, WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
  button->setEnabled(!Has(style, WS_DISABLED));
  button->setVisible(Has(style, WS_VISIBLE));
  return button;
}

}  // namespace korvex
