#include "looks.h"

#include <QTest>

namespace korvex::testing {
namespace {

void Load(RRButton* button, unsigned message, const char* name) {
  button->sendMessage(message, IMAGE_ICON, reinterpret_cast<std::intptr_t>(name));
}

}  // namespace

QString LookName(LookShot look) {
  switch (look) {
    case LookShot::kNormal:
      return QStringLiteral("normal");
    case LookShot::kHot:
      return QStringLiteral("hot");
    case LookShot::kPressed:
      return QStringLiteral("pressed");
    case LookShot::kFocused:
      return QStringLiteral("focused");
    case LookShot::kDisabled:
      return QStringLiteral("disabled");
  }
  return {};
}

RRButton* MakePanelButton(TestWindow& window, const char* caption) {
  RRButton* button = RRButtonCreate(&window, 102, caption, 10, 30, 80, 60,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 1);
  Load(button, RRBM_LOADIMAGE, "icon_blue");
  Load(button, RRBM_LOADIMAGEDISABLED, "ICON_GREEN");
  Load(button, RRBM_LOADIMAGEHOT, "Icon_Red");
  button->sendMessage(RRBM_SETIMAGESIZE, kIconSize, kIconSize);
  button->sendMessage(RRBM_SETFACECOLOR, kPanelFace, 0);
  button->sendMessage(RRBM_SETIMAGEPOS, kIconTopLeft.x(), kIconTopLeft.y());
  button->sendMessage(RRBM_SETTEXTMARGINTOP, 4, 0);
  button->sendMessage(RRBM_SETTEXTFORMAT, DT_CENTER, 0);
  button->sendMessage(RRBM_SETCORNER, 10, 0);
  return button;
}

void StageLook(RRButton* button, LookShot look) {
  const QPoint centre = button->rect().center();
  switch (look) {
    case LookShot::kNormal:
      ParkPointer();
      button->clearFocus();  // showing the window gave it to the only tab stop
      break;
    case LookShot::kHot:
      MovePointer(button, centre);
      break;
    case LookShot::kPressed:
      PressAt(button, centre);
      break;
    case LookShot::kFocused:
      ParkPointer();
      button->setFocus(Qt::TabFocusReason);
      break;
    case LookShot::kDisabled:
      ParkPointer();
      button->setEnabled(false);
      break;
  }
}

}  // namespace korvex::testing
