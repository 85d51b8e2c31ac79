#pragma once

#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

#include "rrbutton_colors.h"
#include "rrbutton_image.h"

namespace korvex {

class RRButton;

enum class Look : std::int32_t { kNormal = 0, kHot = 1, kPressed = 2 };
enum class PressSource : std::int32_t { kNone = 0, kMouse = 1, kSpace = 2 };

// The colours the colour set-up derives, kept in the layout of a four-entry logical palette.
struct PaletteBlock {
  std::uint16_t version = 0;
  std::uint16_t entryCount = 0;
  // Face colour, dark face, focus colour, scrollbar colour.
  std::array<ColorRef, 4> entries{};
  // The system button face seen at the last colour set-up; -1 before the first.
  std::int64_t lastButtonFace = -1;
};

// Everything one button knows about itself, from creation to destruction.
struct RRButtonState {
  RRButton* window = nullptr;
  int id = 0;
  // Where images named without a path are looked up.
  QString instance = kIconFolder;
  QPointer<QWidget> parent;
  QBrush faceBrush{Qt::NoBrush};
  std::optional<QFont> font;
  QRegion region;
  // The running hover timer's id, 0 when none runs.
  int hoverTimer = 0;
  int corner = 20;
  QCursor cursor{Qt::ArrowCursor};
  ColorRef faceColor = 0;
  int textBkMode = 1;
  ColorRef textBkColor = 0;
  ColorRef textColor = 0;
  ColorRef textColorPressed = 0;
  ColorRef textColorHot = 0;
  int emboss = 0;
  int raised = 0;
  int focusable = 1;
  Look look = Look::kNormal;
  PressSource pressSource = PressSource::kNone;
  int fixedLook = 0;
  ImageSlot normalImage;
  ImageSlot hotImage;
  ImageSlot pressedImage;
  ImageSlot disabledImage;
  unsigned imageType = 0;
  int imageX = 0;
  int imageY = 0;
  int imageWidth = 16;
  int imageHeight = 16;
  int imagePosition = -4;
  int imageNoShift = 0;
  int imageMarginLeft = 0;
  int imageMarginTop = 0;
  int imageMarginRight = 0;
  int imageMarginBottom = 0;
  unsigned textFormat = 37;
  int textMarginLeft = 0;
  int textMarginTop = 0;
  int textMarginRight = 0;
  int textMarginBottom = 0;
  PaletteBlock palette;

  bool interactive() const { return fixedLook == 0; }
  // Frozen and not focusable: the mouse is ignored entirely.
  bool ignoresMouse() const { return fixedLook != 0 && focusable == 0; }
  // The normal image was handed over with BM_SETIMAGE and stays the owner's.
  bool sharedImage() const { return normalImage.isShared(); }
};

// Fills in the initial values that depend on the button and the system colours.
void InitializeState(RRButtonState& state, RRButton* window, int id, QWidget* parent,
                     const SystemColours& colours);

}  // namespace korvex
