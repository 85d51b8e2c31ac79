// The panel right after start-up, control by control, against the layout written out here.
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <iterator>
#include <vector>

#include "app/control_ids.h"
#include "controls/rrbutton/rrbutton.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

using PanelTest = KorvexWindowTest;

enum class Kind { Frame, Label, Field, Box, Button };

struct Expected {
  int id;
  Kind kind;
  const char* caption;  // empty for fields
  const char* text;     // fields' default text
  int x, y, w, h;
  const char* frame;  // caption of the frame around the control, empty when none
};

// The panel as the program's description lays it out, in creation order.
constexpr Expected kPanel[] = {
    {601, Kind::Frame, "PROJECT", "", 1, 5, 190, 90, ""},
    {102, Kind::Button, "OPEN", "", 10, 30, 80, 60, "PROJECT"},
    {105, Kind::Button, "SAVE", "", 100, 30, 80, 60, "PROJECT"},
    {101, Kind::Button, "UPDATE PARAMS", "", 200, 30, 180, 60, ""},
    {110, Kind::Button, "SAVE G CODE", "", 560, 30, 180, 60, ""},
    {199, Kind::Button, "EXIT", "", 940, 30, 80, 60, ""},
    {-1, Kind::Frame, "PROCESS", "", 1, 200, 190, 60, ""},
    {-1, Kind::Label, "ANGLE LETTER", "", 10, 220, 100, 20, "PROCESS"},
    {212, Kind::Field, "", "A", 120, 220, 60, 20, "PROCESS"},
    {-1, Kind::Frame, "MAIN TUBE", "", 1, 100, 190, 95, ""},
    {-1, Kind::Label, "DIAMETER", "", 10, 120, 100, 20, "MAIN TUBE"},
    {201, Kind::Field, "", "40", 120, 120, 60, 20, "MAIN TUBE"},
    {-1, Kind::Label, "THICKNESS", "", 10, 140, 100, 20, "MAIN TUBE"},
    {203, Kind::Field, "", "4", 120, 140, 60, 20, "MAIN TUBE"},
    {-1, Kind::Label, "CUT SEGMENTS", "", 10, 160, 100, 20, "MAIN TUBE"},
    {209, Kind::Field, "", "90", 120, 160, 60, 20, "MAIN TUBE"},
    {-1, Kind::Frame, "LEFT CUT", "", 1, 270, 190, 190, ""},
    {-1, Kind::Label, "DIAMETER", "", 10, 290, 100, 20, "LEFT CUT"},
    {213, Kind::Field, "", "40", 120, 290, 60, 19, "LEFT CUT"},
    {-1, Kind::Label, "ANGLE", "", 10, 310, 100, 20, "LEFT CUT"},
    {214, Kind::Field, "", "45", 120, 310, 60, 19, "LEFT CUT"},
    {-1, Kind::Label, "DISTANCE", "", 10, 330, 100, 20, "LEFT CUT"},
    {207, Kind::Field, "", "-100", 120, 330, 60, 19, "LEFT CUT"},
    {-1, Kind::Label, "Angle DIFF", "", 10, 350, 100, 20, "LEFT CUT"},
    {218, Kind::Field, "", "0", 120, 350, 60, 20, "LEFT CUT"},
    {320, Kind::Box, "CUT OVAL", "", 10, 390, 160, 20, "LEFT CUT"},
    {324, Kind::Box, "COMPENSATION MODE", "", 10, 410, 160, 20, "LEFT CUT"},
    {328, Kind::Box, "3D MODE", "", 10, 430, 160, 20, "LEFT CUT"},
    {-1, Kind::Frame, "RIGHT CUT", "", 1, 470, 190, 190, ""},
    {-1, Kind::Label, "DIAMETER", "", 10, 490, 100, 20, "RIGHT CUT"},
    {215, Kind::Field, "", "40", 120, 490, 60, 19, "RIGHT CUT"},
    {-1, Kind::Label, "ANGLE", "", 10, 510, 100, 20, "RIGHT CUT"},
    {216, Kind::Field, "", "45", 120, 510, 60, 19, "RIGHT CUT"},
    {-1, Kind::Label, "DISTANCE", "", 10, 530, 100, 40, "RIGHT CUT"},
    {205, Kind::Field, "", "100", 120, 530, 60, 20, "RIGHT CUT"},
    {-1, Kind::Label, "Angle DIFF", "", 10, 550, 100, 20, "RIGHT CUT"},
    {219, Kind::Field, "", "0", 120, 550, 60, 20, "RIGHT CUT"},
    {322, Kind::Box, "CUT OVAL", "", 10, 590, 160, 20, "RIGHT CUT"},
    {326, Kind::Box, "COMPENSATION MODE", "", 10, 610, 160, 20, "RIGHT CUT"},
    {330, Kind::Box, "3D MODE", "", 10, 630, 160, 20, "RIGHT CUT"},
    {-1, Kind::Frame, "RESULT", "", 400, 5, 150, 90, ""},
    {-1, Kind::Label, "X LENGTH", "", 410, 30, 80, 20, "RESULT"},
    {225, Kind::Field, "", "100", 480, 30, 60, 19, "RESULT"},
    {-1, Kind::Label, "Y LENGTH", "", 410, 50, 80, 20, "RESULT"},
    {226, Kind::Field, "", "0", 480, 50, 60, 19, "RESULT"},
    {-1, Kind::Label, "AT ANGLE", "", 410, 70, 80, 20, "RESULT"},
    {227, Kind::Field, "", "180", 480, 70, 60, 19, "RESULT"},
    {-1, Kind::Frame, "DISPLAY", "", 760, 5, 150, 90, ""},
    {340, Kind::Box, "DISPLAY GRID", "", 770, 30, 100, 20, "DISPLAY"},
    {345, Kind::Box, "DISPLAY MAIN", "", 770, 50, 100, 20, "DISPLAY"},
    {350, Kind::Box, "DISPLAY CUT", "", 770, 70, 100, 20, "DISPLAY"},
};

bool HasKind(QWidget* control, Kind kind) {
  switch (kind) {
    case Kind::Frame:
      return qobject_cast<QGroupBox*>(control);
    case Kind::Label:
      return qobject_cast<QLabel*>(control);
    case Kind::Field:
      return qobject_cast<QLineEdit*>(control);
    case Kind::Box:
      return qobject_cast<QCheckBox*>(control);
    case Kind::Button:
      return qobject_cast<RRButton*>(control);
  }
  return false;
}

QString CaptionOf(QWidget* control) {
  if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* box = qobject_cast<QCheckBox*>(control)) return box->text();
  if (auto* button = qobject_cast<RRButton*>(control)) return button->text();
  return {};
}

// The caption of the live frame whose area holds the control; empty when none does.
QString FrameAround(const std::vector<QWidget*>& controls, QWidget* control) {
  for (QWidget* frame : controls) {
    if (frame != control && qobject_cast<QGroupBox*>(frame) &&
        frame->geometry().contains(control->geometry())) {
      return CaptionOf(frame);
    }
  }
  return {};
}

TEST_F(PanelTest, EveryControlWithItsKindTextPlaceFrameAndState) {
  const auto& controls = panel().controls();
  ASSERT_EQ(controls.size(), std::size(kPanel));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Expected& e = kPanel[i];
    QWidget* control = controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(e.id) + " " + e.caption);
    EXPECT_EQ(control->parentWidget(), &window());
    EXPECT_EQ(control->property(kControlIdProperty).toInt(), e.id);
    EXPECT_TRUE(HasKind(control, e.kind));
    EXPECT_EQ(control->geometry(), QRect(e.x, e.y, e.w, e.h));
    EXPECT_EQ(FrameAround(controls, control), QString::fromLatin1(e.frame));
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->isEnabled());
    EXPECT_EQ(CaptionOf(control), QString::fromLatin1(e.caption));
    if (e.kind == Kind::Field) {
      auto* field = qobject_cast<QLineEdit*>(control);
      EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
      EXPECT_EQ(field->focusPolicy(), Qt::ClickFocus);
    }
    if (e.kind == Kind::Box) {
      EXPECT_FALSE(qobject_cast<QCheckBox*>(control)->isChecked());
      EXPECT_EQ(control->focusPolicy(), Qt::ClickFocus);
    }
    if (e.id != kNoId) {
      EXPECT_EQ(panel().control(e.id), control);
    }
  }
}

// The first rebuild has replaced the defaults of X LENGTH and Y LENGTH with its results.
TEST_F(PanelTest, FieldsShowTheDefaultsAndTheFirstResults) {
  for (const Expected& e : kPanel) {
    if (e.kind != Kind::Field || e.id == kXLengthField || e.id == kYLengthField) continue;
    EXPECT_EQ(panel().text(e.id), e.text) << e.id;
  }
  EXPECT_EQ(panel().text(kXLengthField), "240.000");
  EXPECT_EQ(panel().text(kYLengthField), "125.664");
}

TEST_F(PanelTest, MissingIdsReadEmptyAndIgnoreWrites) {
  EXPECT_EQ(panel().text(kReservedTextField), "");
  EXPECT_EQ(panel().checkState(kReservedCheckBox), 0);
  panel().setText(kReservedTextField, "x");
  panel().setCheckState(kReservedCheckBox, 1);
  EXPECT_EQ(panel().text(kReservedTextField), "");
  EXPECT_EQ(panel().checkState(kReservedCheckBox), 0);
  EXPECT_EQ(panel().text(kDisplayGridBox), "");  // a box has no text
}

TEST_F(PanelTest, ImageButtonsAreConfiguredWithTheirIcons) {
  struct Expected {
    int id;
    int imageLeft;
  };
  for (Expected e :
       {Expected{kOpenButton, 25}, Expected{kSaveButton, 25}, Expected{kUpdateParamsButton, 75},
        Expected{kSaveGcodeButton, 75}, Expected{kExitButton, 25}}) {
    auto* button = qobject_cast<RRButton*>(panel().control(e.id));
    ASSERT_NE(button, nullptr);
    SCOPED_TRACE(button->text().toStdString());
    EXPECT_EQ(button->sendMessage(RRBM_GETCORNER, 0, 0), 10);
    EXPECT_EQ(button->sendMessage(RRBM_GETFACECOLOR, 0, 0), 220 | 220 << 8 | 200 << 16);
    EXPECT_EQ(button->sendMessage(RRBM_GETIMAGEWIDTH, 0, 0), 32);
    EXPECT_EQ(button->sendMessage(RRBM_GETIMAGEHEIGHT, 0, 0), 32);
    EXPECT_EQ(button->state().imageX, e.imageLeft);
    EXPECT_EQ(button->state().imageY, 25);
    EXPECT_EQ(button->sendMessage(RRBM_GETTEXTMARGINTOP, 0, 0), 4);
    EXPECT_EQ(button->sendMessage(RRBM_GETTEXTFORMAT, 0, 0), DT_CENTER);
    EXPECT_NE(button->state().normalImage.get(), nullptr);
    EXPECT_NE(button->state().hotImage.get(), nullptr);
    EXPECT_NE(button->state().disabledImage.get(), nullptr);
    EXPECT_EQ(button->state().pressedImage.get(), nullptr);
  }
}

TEST_F(PanelTest, FontIsArialEightPointOrItsMetricTwin) {
  const QFontInfo font(panel().control(kMainDiameterField)->font());
  EXPECT_TRUE(font.family() == "Arial" || font.family() == "Liberation Sans")
      << font.family().toStdString();
  EXPECT_EQ(font.pixelSize(), 11);
}

TEST_F(PanelTest, FieldRefusesTextWiderThanItsBox) {
  auto* field = qobject_cast<QLineEdit*>(panel().control(kAtAngleField));
  field->setFocus();
  field->end(false);
  QTest::keyClicks(field, "1234567890123456789012345");
  const QString shown = field->text();
  EXPECT_TRUE(shown.startsWith("180123"));
  EXPECT_LT(shown.size(), 28);
  EXPECT_LT(field->fontMetrics().horizontalAdvance(shown), field->width());
  EXPECT_TRUE(qobject_cast<const QLineEdit*>(field)->hasAcceptableInput());
  // Room freed by deleting lets typing go on.
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, "9");
  EXPECT_EQ(field->text(), shown.left(shown.size() - 1) + "9");
}

}  // namespace
}  // namespace korvex
