#include <QFont>
#include <QImage>
#include <QRegion>
#include <QTest>

#include "button_fixture.h"
#include "looks.h"

namespace korvex::testing {
namespace {

// Colours compared at 8 bits per channel, as the screen shows them.
QColor Role(const QWidget* widget, QPalette::ColorRole role) {
  return QColor(widget->palette().color(QPalette::Active, role).rgb());
}

QColor At(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

bool AreaHasColour(const QImage& image, const QRect& area, const QColor& colour) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) == colour.rgb()) return true;
    }
  }
  return false;
}

// The pixels of one colour inside an area.
QRegion PixelsOf(const QImage& image, const QColor& colour, const QRect& area) {
  QRegion pixels;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) == colour.rgb()) pixels += QRect(x, y, 1, 1);
    }
  }
  return pixels;
}

// Captions drawn without smoothing in a colour found nowhere else, so the caption's pixels
// are exactly those of that colour.
const QColor kInk(128, 0, 128);

void UseSharpInk(RRButton* button) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  button->sendMessage(WM_SETFONT, reinterpret_cast<uintptr_t>(&font), 0);
  for (unsigned message : {RRBM_SETTEXTCOLOR, RRBM_SETTEXTCOLORHOT, RRBM_SETTEXTCOLORPRESSED}) {
    button->sendMessage(message, ToColorRef(kInk), 0);
  }
}

// The top strip of the panel-like button, above the icon and inside the body's outlines.
const QRect kCaptionStrip(2, 2, 76, 23);

// The caption "OPEN" sits in the top strip of the panel-like button, above the icon.
const QRect kCaptionArea(10, 4, 60, 20);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kFace = ToQColor(kPanelFace);

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkPointer();
    button = MakePanelButton(window, "OPEN");
    ASSERT_TRUE(window.showAndActivate());
    button->clearFocus();
  }

  QImage shot(LookShot look) {
    StageLook(button, look);
    window.clearNotifications();
    return Render(button);
  }

  QColor light() const { return Role(button, QPalette::Light); }
  QColor dark() const { return Role(button, QPalette::Dark); }

  TestWindow window;
  RRButton* button = nullptr;
};

TEST_F(RenderTest, NormalLookIsFlatWithTheNormalImage) {
  const QImage image = shot(LookShot::kNormal);
  EXPECT_EQ(At(image, 40, 0), kFace);
  EXPECT_EQ(At(image, 0, 30), kFace);
  EXPECT_EQ(At(image, 5, 45), kFace);
  EXPECT_EQ(At(image, 79, 30), Role(button, QPalette::Button));
  EXPECT_EQ(At(image, kIconTopLeft.x(), kIconTopLeft.y()), kBlue);
  EXPECT_EQ(At(image, 56, 56), kBlue);
  EXPECT_EQ(At(image, 57, 57), kFace);
  EXPECT_NE(At(image, 0, 0), kFace);
  EXPECT_TRUE(AreaHasColour(image, kCaptionArea, Role(button, QPalette::ButtonText)));
  EXPECT_EQ(window.count(RRBN_PAINTFLAT), 1);
}

TEST_F(RenderTest, HotLookIsRaisedWithTheHotImage) {
  const QImage image = shot(LookShot::kHot);
  EXPECT_EQ(At(image, 40, 0), light());
  EXPECT_EQ(At(image, 0, 30), light());
  EXPECT_EQ(At(image, 40, 59), dark());
  EXPECT_EQ(At(image, 79, 30), dark());
  EXPECT_EQ(At(image, 40, 1), kFace);
  EXPECT_EQ(At(image, 40, 40), kRed);
  EXPECT_EQ(window.count(RRBN_PAINTHOT), 1);
}

TEST_F(RenderTest, PressedLookIsSunkenWithTheImageMovedOnePixel) {
  const QImage image = shot(LookShot::kPressed);
  EXPECT_EQ(At(image, 40, 0), dark());
  EXPECT_EQ(At(image, 0, 30), dark());
  EXPECT_EQ(At(image, 40, 59), light());
  EXPECT_EQ(At(image, 79, 30), light());
  EXPECT_EQ(At(image, kIconTopLeft.x(), kIconTopLeft.y()), kFace);
  EXPECT_EQ(At(image, kIconTopLeft.x() + 1, kIconTopLeft.y() + 1), kRed);
  EXPECT_EQ(At(image, 57, 57), kRed);
  EXPECT_EQ(window.count(RRBN_PAINTPRESSED), 1);
}

TEST_F(RenderTest, NoShiftKeepsThePressedImageInPlace) {
  button->sendMessage(RRBM_SETIMAGENOSHIFT, 1, 0);
  const QImage image = shot(LookShot::kPressed);
  EXPECT_EQ(At(image, kIconTopLeft.x(), kIconTopLeft.y()), kRed);
  EXPECT_EQ(At(image, 57, 57), kFace);
}

TEST_F(RenderTest, FocusedLookDrawsTheFocusOutline) {
  const QImage image = shot(LookShot::kFocused);
  ASSERT_TRUE(button->hasFocus());
  EXPECT_EQ(At(image, 40, 0), Role(button, QPalette::ToolTipBase));
  EXPECT_EQ(At(image, 40, 40), kBlue);
}

TEST_F(RenderTest, DisabledLookShowsTheDisabledImageAndAnEngravedCaption) {
  const QImage image = shot(LookShot::kDisabled);
  EXPECT_EQ(At(image, 40, 40), kGreen);
  EXPECT_TRUE(AreaHasColour(image, kCaptionArea, dark()));
  EXPECT_TRUE(AreaHasColour(image, kCaptionArea, light()));
  EXPECT_FALSE(AreaHasColour(image, kCaptionArea, Role(button, QPalette::ButtonText)));
}

TEST_F(RenderTest, DisabledWithoutDisabledImageShowsTheNormalImage) {
  button->sendMessage(RRBM_LOADIMAGEDISABLED, IMAGE_ICON, 0);
  const QImage image = shot(LookShot::kDisabled);
  EXPECT_EQ(At(image, 40, 40), kBlue);
  EXPECT_TRUE(AreaHasColour(image, kCaptionArea, dark()));
}

TEST_F(RenderTest, PressedWithoutHotImageFallsBackToTheNormalImage) {
  button->sendMessage(RRBM_LOADIMAGEHOT, IMAGE_ICON, 0);
  EXPECT_EQ(At(shot(LookShot::kPressed), 40, 40), kBlue);
}

TEST_F(RenderTest, TextColoursFollowTheLook) {
  const QColor hotText(200, 0, 200);
  const QColor pressedText(0, 150, 150);
  button->sendMessage(RRBM_SETTEXTCOLORHOT, ToColorRef(hotText), 0);
  button->sendMessage(RRBM_SETTEXTCOLORPRESSED, ToColorRef(pressedText), 0);
  EXPECT_TRUE(AreaHasColour(shot(LookShot::kHot), kCaptionArea, hotText));
  EXPECT_TRUE(AreaHasColour(shot(LookShot::kPressed), kCaptionArea, pressedText));
}

TEST_F(RenderTest, EmbossAddsAHighlightCopy) {
  EXPECT_FALSE(AreaHasColour(shot(LookShot::kNormal), kCaptionArea, light()));
  button->sendMessage(RRBM_SETEMBOSS, 1, 0);
  EXPECT_TRUE(AreaHasColour(Render(button), kCaptionArea, light()));
}

TEST_F(RenderTest, PressedCaptionMovesOnePixelRightAndDownUnlessTheLookIsFixed) {
  UseSharpInk(button);
  const QRegion normal = PixelsOf(shot(LookShot::kNormal), kInk, kCaptionStrip);
  ASSERT_FALSE(normal.isEmpty());
  EXPECT_EQ(PixelsOf(shot(LookShot::kPressed), kInk, kCaptionStrip), normal.translated(1, 1));
  button->sendMessage(RRBM_SETFIXEDLOOK, 3, 0);
  EXPECT_EQ(PixelsOf(Render(button), kInk, kCaptionStrip), normal);
}

// The highlight copy shows only where the caption, one pixel right and down, does not cover it.
TEST_F(RenderTest, EmbossCopyLiesOnePixelRightAndDownUnderTheCaption) {
  UseSharpInk(button);
  button->sendMessage(RRBM_SETEMBOSS, 1, 0);
  const QImage image = shot(LookShot::kNormal);
  const QRegion caption = PixelsOf(image, kInk, kCaptionStrip);
  ASSERT_FALSE(caption.isEmpty());
  EXPECT_EQ(PixelsOf(image, light(), kCaptionStrip), caption.translated(1, 1).subtracted(caption));
}

// Where the 10-pixel corner ellipse of the hot look's outlines turns: the light outline runs
// over (0, 0)-(78, 58), the dark one over (1, 1)-(79, 59), the face one over (1, 1)-(78, 58).
TEST_F(RenderTest, OutlinesTurnOnTheTenPixelCorner) {
  const QImage image = shot(LookShot::kHot);
  const struct {
    QPoint at;
    QColor colour;
  } expected[] = {
      {{5, 0}, light()},   // top edge starts where the arc ends
      {{0, 5}, light()},   // left edge likewise
      {{2, 2}, kFace},     // on the face outline's arc, centred (6, 6)
      {{74, 59}, dark()},  // bottom edge ends where the arc begins
      {{79, 54}, dark()},  // right edge likewise
      {{76, 56}, kFace},   // on the face outline's arc, centred (73, 53)
  };
  for (const auto& e : expected) {
    EXPECT_EQ(At(image, e.at.x(), e.at.y()), e.colour) << "at " << e.at.x() << "," << e.at.y();
  }
}

// The caption, centred both ways (the default format), lies midway between its margins.
struct MarginCase {
  int left, top, right, bottom;
  double centreX, centreY;
};

class CaptionMarginsTest : public RenderTest, public ::testing::WithParamInterface<MarginCase> {};

TEST_P(CaptionMarginsTest, CaptionIsCentredBetweenTheMargins) {
  const MarginCase& c = GetParam();
  RRButton* plain = RRButtonCreate(&window, 8, "OK", 100, 100, 80, 60, WS_CHILD | WS_VISIBLE, 0, 0);
  UseSharpInk(plain);
  plain->sendMessage(RRBM_SETTEXTMARGINLEFT, c.left, 0);
  plain->sendMessage(RRBM_SETTEXTMARGINTOP, c.top, 0);
  plain->sendMessage(RRBM_SETTEXTMARGINRIGHT, c.right, 0);
  plain->sendMessage(RRBM_SETTEXTMARGINBOTTOM, c.bottom, 0);
  const QRect ink = PixelsOf(Render(plain), kInk, plain->rect()).boundingRect();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, c.centreX, 1.0);
  EXPECT_NEAR((ink.top() + ink.bottom() + 1) / 2.0, c.centreY, 1.0);
}

// An 80 x 60 button: the caption rectangle runs from (left, top) to (80 - right, 60 - bottom).
INSTANTIATE_TEST_SUITE_P(
    Margins, CaptionMarginsTest,
    ::testing::Values(MarginCase{0, 0, 0, 0, 40, 30}, MarginCase{20, 0, 0, 0, 50, 30},
                      MarginCase{0, 0, 20, 0, 30, 30}, MarginCase{0, 10, 0, 0, 40, 35},
                      MarginCase{0, 0, 0, 10, 40, 25}, MarginCase{6, 4, 10, 20, 38, 22}),
    [](const auto& info) {
      const MarginCase& c = info.param;
      return "L" + std::to_string(c.left) + "T" + std::to_string(c.top) + "R" +
             std::to_string(c.right) + "B" + std::to_string(c.bottom);
    });

TEST_F(RenderTest, OpaqueCaptionBackground) {
  const QColor magenta(255, 0, 255);
  button->sendMessage(RRBM_SETTEXTBKCOLOR, ToColorRef(magenta), 0);
  EXPECT_FALSE(AreaHasColour(shot(LookShot::kNormal), kCaptionArea, magenta));
  button->sendMessage(RRBM_SETTEXTBKMODE, OPAQUE, 0);
  EXPECT_TRUE(AreaHasColour(Render(button), kCaptionArea, magenta));
}

TEST_F(RenderTest, CentredIconInAnOddWidthRoundsToEven) {
  button->resize(79, 60);
  button->sendMessage(RRBM_SETIMAGEPOS, static_cast<uintptr_t>(-5), 0);
  const QImage image = shot(LookShot::kNormal);
  EXPECT_EQ(At(image, 23, 30), kFace);
  EXPECT_EQ(At(image, 24, 30), kBlue);
  EXPECT_EQ(At(image, 55, 30), kBlue);
  EXPECT_EQ(At(image, 56, 30), kFace);
}

TEST_F(RenderTest, BitmapsDrawAtTheirOwnSizeAndIconsAtTheImageSize) {
  QPixmap pixmap(12, 7);
  pixmap.fill(kGreen);
  const auto bitmap = ButtonImage::fromPixmap(pixmap);
  button->sendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<intptr_t>(bitmap.get()));
  button->sendMessage(RRBM_SETIMAGEPOS, 10, 30);
  QImage image = shot(LookShot::kNormal);
  EXPECT_EQ(At(image, 21, 36), kGreen);
  EXPECT_EQ(At(image, 22, 36), kFace);
  EXPECT_EQ(At(image, 21, 37), kFace);

  button->sendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<intptr_t>(bitmap.get()));
  button->sendMessage(RRBM_SETIMAGESIZE, 24, 14);
  image = Render(button);
  EXPECT_EQ(At(image, 33, 43), kGreen);
  EXPECT_EQ(At(image, 34, 43), kFace);
}

TEST_F(RenderTest, NothingIsPaintedOutsideTheRoundedShape) {
  QImage image = shot(LookShot::kHot);
  EXPECT_EQ(At(image, 0, 0), At(image, 79, 59));
  EXPECT_NE(At(image, 0, 0), light());
  EXPECT_NE(At(image, 0, 0), kFace);
}

// The face follows the system's button face unless the program chose it; a pure black or
// white system face overrides even a chosen one.
TEST(PaletteChange, DefaultFaceFollowsChosenFaceStays) {
  TestWindow window;
  RRButton* following = RRButtonCreate(&window, 1, "A", 0, 0, 60, 40, WS_CHILD | WS_VISIBLE, 0, 0);
  RRButton* chosen = RRButtonCreate(&window, 2, "B", 70, 0, 60, 40, WS_CHILD | WS_VISIBLE, 0, 0);
  chosen->sendMessage(RRBM_SETFACECOLOR, kPanelFace, 0);
  ASSERT_TRUE(window.showAndActivate());
  Render(following);
  Render(chosen);

  QPalette palette = window.palette();
  palette.setColor(QPalette::Button, QColor(100, 110, 120));
  window.setPalette(palette);
  EXPECT_EQ(At(Render(following), 30, 30), QColor(108, 118, 128));
  EXPECT_EQ(At(Render(chosen), 30, 30), kFace);

  palette.setColor(QPalette::Button, Qt::black);
  palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
  window.setPalette(palette);
  EXPECT_EQ(At(Render(chosen), 30, 30), QColor(Qt::black));
  EXPECT_EQ(chosen->sendMessage(RRBM_GETTEXTCOLOR, 0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(At(Render(following), 30, 30), QColor(Qt::black));
}

}  // namespace
}  // namespace korvex::testing
