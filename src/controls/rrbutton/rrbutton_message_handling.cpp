#include <QKeyEvent>
#include <algorithm>
#include <array>

#include "rrbutton.h"
#include "rrbutton_color_setup.h"
#include "rrbutton_cursor.h"
#include "rrbutton_geometry.h"

namespace korvex {
namespace {

// Fields that a set message simply stores and a query message returns (code 0: none).
template <typename Field>
struct SimpleProperty {
  unsigned setCode;
  unsigned queryCode;
  Field RRButtonState::*field;
};

constexpr std::array<SimpleProperty<int>, 15> kIntProperties{{
    {RRBM_SETCORNER, RRBM_GETCORNER, &RRButtonState::corner},
    {RRBM_SETTEXTBKMODE, RRBM_GETTEXTBKMODE, &RRButtonState::textBkMode},
    {RRBM_SETEMBOSS, RRBM_GETEMBOSS, &RRButtonState::emboss},
    {RRBM_SETRAISED, RRBM_GETRAISED, &RRButtonState::raised},
    {RRBM_SETFIXEDLOOK, RRBM_GETFIXEDLOOK, &RRButtonState::fixedLook},
    {RRBM_SETFOCUSABLE, RRBM_GETFOCUSABLE, &RRButtonState::focusable},
    {RRBM_SETTEXTMARGINLEFT, RRBM_GETTEXTMARGINLEFT, &RRButtonState::textMarginLeft},
    {RRBM_SETTEXTMARGINTOP, RRBM_GETTEXTMARGINTOP, &RRButtonState::textMarginTop},
    {RRBM_SETTEXTMARGINRIGHT, RRBM_GETTEXTMARGINRIGHT, &RRButtonState::textMarginRight},
    {RRBM_SETTEXTMARGINBOTTOM, RRBM_GETTEXTMARGINBOTTOM, &RRButtonState::textMarginBottom},
    {RRBM_SETIMAGENOSHIFT, 0, &RRButtonState::imageNoShift},
    {RRBM_SETIMAGEMARGINLEFT, RRBM_GETIMAGEMARGINLEFT, &RRButtonState::imageMarginLeft},
    {RRBM_SETIMAGEMARGINTOP, RRBM_GETIMAGEMARGINTOP, &RRButtonState::imageMarginTop},
    {RRBM_SETIMAGEMARGINRIGHT, RRBM_GETIMAGEMARGINRIGHT, &RRButtonState::imageMarginRight},
    {RRBM_SETIMAGEMARGINBOTTOM, RRBM_GETIMAGEMARGINBOTTOM, &RRButtonState::imageMarginBottom},
}};

constexpr std::array<SimpleProperty<ColorRef>, 5> kColourProperties{{
    {RRBM_SETFACECOLOR, RRBM_GETFACECOLOR, &RRButtonState::faceColor},
    {RRBM_SETTEXTBKCOLOR, RRBM_GETTEXTBKCOLOR, &RRButtonState::textBkColor},
    {RRBM_SETTEXTCOLOR, RRBM_GETTEXTCOLOR, &RRButtonState::textColor},
    {RRBM_SETTEXTCOLORPRESSED, RRBM_GETTEXTCOLORPRESSED, &RRButtonState::textColorPressed},
    {RRBM_SETTEXTCOLORHOT, RRBM_GETTEXTCOLORHOT, &RRButtonState::textColorHot},
}};

template <typename Field, std::size_t N>
const SimpleProperty<Field>* Find(const std::array<SimpleProperty<Field>, N>& table,
                                  unsigned SimpleProperty<Field>::*code, unsigned message) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [&](const auto& property) { return property.*code == message; });
  return found == table.end() ? nullptr : &*found;
}

// Setting these needs more than storing the value: they have handlers of their own.
bool HasOwnHandler(unsigned code) {
  return code == RRBM_SETCORNER || code == RRBM_SETRAISED || code == RRBM_SETFIXEDLOOK ||
         code == RRBM_SETFACECOLOR;
}

QString NameFrom(std::intptr_t lParam) {
  return QString::fromLocal8Bit(reinterpret_cast<const char*>(lParam));
}

}  // namespace

std::intptr_t RRButton::sendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (setSimpleProperty(message, wParam, lParam)) return 0;
  if (auto value = queryProperty(message)) return *value;
  switch (message) {
    case RRBM_SETCORNER:
      return setCorner(static_cast<int>(wParam), lParam);
    case RRBM_SETFACECOLOR:
      return setFaceColor(static_cast<ColorRef>(wParam), lParam);
    case RRBM_SETRAISED:
      state_.raised = wParam != 0 ? 1 : 0;
      redrawIfAsked(lParam);
      return 0;
    case RRBM_SETFIXEDLOOK:
      return setFixedLook(static_cast<int>(wParam), lParam);
    case RRBM_SETCURSOR:
      return setCursorShape(wParam, lParam);
    case RRBM_REDRAW:
      redrawNow();
      return 0;
    case RRBM_SETTEXTFORMAT:
      state_.textFormat = static_cast<unsigned>(wParam);
      redrawIfAsked(lParam);
      return 0;
    case RRBM_SETIMAGEPOS:
      // Read as a 32-bit value like every other code, so a negative code reads the same
      // whether it arrives sign-extended or not.
      return setImagePosition(static_cast<int>(wParam), lParam);
    case RRBM_SETIMAGESIZE:
      state_.imageWidth = static_cast<int>(wParam);
      state_.imageHeight = static_cast<int>(lParam);
      return 0;
    case RRBM_LOADIMAGE:
    case RRBM_LOADIMAGEHOT:
    case RRBM_LOADIMAGEPRESSED:
    case RRBM_LOADIMAGEDISABLED:
      return loadImage(message, static_cast<unsigned>(wParam), lParam);
    case BM_SETIMAGE:
      return setSharedImage(static_cast<unsigned>(wParam), lParam);
    case WM_SETTEXT:
      setText(lParam != 0 ? NameFrom(lParam) : QString());
      return 1;
    case WM_SETFONT:
      return setFontMessage(wParam, lParam);
    case WM_GETDLGCODE:
      return dialogCode(lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
      notifyParent(message, wParam, lParam);
      return 0;
    default:
      return 0;
  }
}

bool RRButton::setSimpleProperty(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (HasOwnHandler(message)) return false;
  if (const auto* property = Find(kIntProperties, &SimpleProperty<int>::setCode, message)) {
    state_.*(property->field) = static_cast<int>(wParam);
  } else if (const auto* colour =
                 Find(kColourProperties, &SimpleProperty<ColorRef>::setCode, message)) {
    state_.*(colour->field) = static_cast<ColorRef>(wParam);
  } else {
    return false;
  }
  if (message != RRBM_SETIMAGENOSHIFT) redrawIfAsked(lParam);
  return true;
}

std::optional<std::intptr_t> RRButton::queryProperty(unsigned message) const {
  if (message == 0) return std::nullopt;
  if (const auto* property = Find(kIntProperties, &SimpleProperty<int>::queryCode, message)) {
    return state_.*(property->field);
  }
  if (const auto* colour = Find(kColourProperties, &SimpleProperty<ColorRef>::queryCode, message)) {
    return state_.*(colour->field);
  }
  switch (message) {
    case RRBM_GETFACEBRUSH:
      // The brush is identified by its colour; -1 until the first colour set-up made it.
      if (state_.faceBrush.style() == Qt::NoBrush) return -1;
      return ToColorRef(state_.faceBrush.color());
    case RRBM_GETTEXTFORMAT:
      return state_.textFormat;
    case RRBM_GETIMAGEPOS:
      return state_.imagePosition;
    case RRBM_GETIMAGEWIDTH:
      return state_.imageWidth;
    case RRBM_GETIMAGEHEIGHT:
      return state_.imageHeight;
    default:
      return std::nullopt;
  }
}

void RRButton::redrawIfAsked(std::intptr_t lParam) {
  if (lParam != 0) redrawNow();
}

void RRButton::redrawNow() {
  repaint();
}

std::intptr_t RRButton::setCorner(int corner, std::intptr_t lParam) {
  state_.corner = std::max(corner, 0);
  state_.region = RoundedRegion(size(), state_.corner);
  redrawIfAsked(lParam);
  return 0;
}

std::intptr_t RRButton::setFaceColor(ColorRef color, std::intptr_t lParam) {
  state_.faceColor = color & 0xFFFFFF;
  RunColorSetup(state_, systemColours());
  redrawIfAsked(lParam);
  return 0;
}

std::intptr_t RRButton::setFixedLook(int fixedLook, std::intptr_t lParam) {
  state_.fixedLook = fixedLook;
  if (fixedLook != 0) state_.focusable = 0;
  state_.look = fixedLook > 0 ? static_cast<Look>(std::min(fixedLook, 3) - 1) : Look::kNormal;
  redrawIfAsked(lParam);
  return 0;
}

std::intptr_t RRButton::setCursorShape(std::uintptr_t cursorId, std::intptr_t cursor) {
  state_.cursor = cursor != 0 ? *reinterpret_cast<const QCursor*>(cursor)
                              : SystemCursor(static_cast<unsigned>(cursorId));
  if (buttonCursorShowing_) setCursor(state_.cursor);
  return 0;
}

std::intptr_t RRButton::setImagePosition(std::intptr_t x, std::intptr_t y) {
  if (x < 0) {
    state_.imagePosition = static_cast<int>(x);
    return 0;
  }
  state_.imagePosition = 0;
  state_.imageX = static_cast<int>(x);
  state_.imageY = static_cast<int>(y);
  return 0;
}

std::intptr_t RRButton::loadImage(unsigned message, unsigned type, std::intptr_t name) {
  ImageSlot* imageSlots[] = {&state_.normalImage, &state_.hotImage, &state_.pressedImage,
                             &state_.disabledImage};
  ImageSlot& slot = *imageSlots[message - RRBM_LOADIMAGE];
  if (name == 0) {
    slot.clear();
    return 0;
  }
  state_.imageType = type;
  slot.adopt(LoadButtonImage(NameFrom(name), type, state_.instance));
  if (message == RRBM_LOADIMAGE) {
    const int size = slot.get() != nullptr ? 16 : 0;
    state_.imageWidth = size;
    state_.imageHeight = size;
  }
  return 0;
}

// The previous normal image goes back to the caller; if the button had loaded it, the caller
// now answers for releasing it.
std::intptr_t RRButton::setSharedImage(unsigned type, std::intptr_t image) {
  state_.imageType = type;
  ButtonImage* previous = state_.normalImage.take();
  state_.normalImage.share(reinterpret_cast<ButtonImage*>(image));
  const int size = image != 0 ? 32 : 0;
  state_.imageWidth = size;
  state_.imageHeight = size;
  return reinterpret_cast<std::intptr_t>(previous);
}

std::intptr_t RRButton::setFontMessage(std::uintptr_t font, std::intptr_t lParam) {
  if (font == 0) return 0;
  state_.font = *reinterpret_cast<const QFont*>(font);
  if (lParam != 0 && isVisible()) redrawNow();
  return 0;
}

bool RRButton::wantsEnter() const {
  return state_.interactive() || state_.focusable != 0;
}

// lParam: the key event being examined (a QKeyEvent*), or 0 when none is.
std::intptr_t RRButton::dialogCode(std::intptr_t keyEvent) const {
  if (!wantsEnter()) return 0;
  if (keyEvent != 0) {
    const auto* key = reinterpret_cast<const QKeyEvent*>(keyEvent);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    return enter && key->type() == QEvent::KeyPress ? DLGC_WANTALLKEYS : 0;
  }
  return state_.interactive() ? DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON : 0;
}

}  // namespace korvex
