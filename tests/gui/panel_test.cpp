// The panel right after start-up, control by control, as the control table lays it out.
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/control_ids.h"
#include "app/control_table.h"
#include "controls/rrbutton/rrbutton.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

using PanelTest = KorvexWindowTest;

bool HasKind(QWidget* control, ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame:
      return qobject_cast<QGroupBox*>(control);
    case ControlKind::Label:
      return qobject_cast<QLabel*>(control);
    case ControlKind::EditField:
      return qobject_cast<QLineEdit*>(control);
    case ControlKind::CheckBox:
      return qobject_cast<QCheckBox*>(control);
    case ControlKind::ImageButton:
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

TEST_F(PanelTest, EveryControlOfTheTableWithItsKindTextPlaceAndState) {
  const auto table = ControlTable();
  ASSERT_EQ(panel().controls().size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const PanelControl& entry = table[i];
    QWidget* control = panel().controls()[i];
    SCOPED_TRACE(std::string(entry.caption) + " " + entry.defaultText + " id " +
                 std::to_string(entry.id));
    EXPECT_EQ(control->parentWidget(), &window());
    EXPECT_EQ(control->property(kControlIdProperty).toInt(), entry.id);
    EXPECT_TRUE(HasKind(control, entry.kind));
    EXPECT_EQ(control->geometry(), QRect(entry.x, entry.y, entry.w, entry.h));
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->isEnabled());
    if (entry.kind == ControlKind::EditField) {
      auto* field = qobject_cast<QLineEdit*>(control);
      EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
      EXPECT_EQ(field->focusPolicy(), Qt::ClickFocus);
    } else {
      EXPECT_EQ(CaptionOf(control), QString::fromLatin1(entry.caption));
    }
    if (entry.kind == ControlKind::CheckBox) {
      EXPECT_FALSE(qobject_cast<QCheckBox*>(control)->isChecked());
      EXPECT_EQ(control->focusPolicy(), Qt::ClickFocus);
    }
    if (entry.id != kNoId) {
      EXPECT_EQ(panel().control(entry.id), control);
    }
  }
}

// The first rebuild has written the results of the default job.
TEST_F(PanelTest, FieldsShowTheDefaultsAndTheFirstResults) {
  for (const PanelControl& entry : ControlTable()) {
    if (entry.kind != ControlKind::EditField || entry.id == kXLengthField ||
        entry.id == kYLengthField) {
      continue;
    }
    EXPECT_EQ(panel().text(entry.id), entry.defaultText) << entry.id;
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
