// The panel has no keyboard commands and no Tab navigation between its fields.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "app/control_ids.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

using KeyboardTest = KorvexWindowTest;

TEST_F(KeyboardTest, EnterAndEscapeInAFieldDoNothing) {
  auto* field = qobject_cast<QLineEdit*>(panel().control(kMainDiameterField));
  const DrawList before = workspace_.scene;
  panel().setText(kMainDiameterField, "60");
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  QTest::keyClick(field, Qt::Key_Escape);
  // The keypad's Enter, which QTest cannot name as a character.
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent enter(type, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    QApplication::sendEvent(field, &enter);
  }
  QTest::keyClick(&window(), Qt::Key_Escape);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(workspace_.scene, before);
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(panel().text(kMainDiameterField), "60");
}

TEST_F(KeyboardTest, TabStaysInTheField) {
  auto* field = qobject_cast<QLineEdit*>(panel().control(kMainDiameterField));
  field->setFocus();
  ASSERT_EQ(window().focusWidget(), field);
  QTest::keyClick(field, Qt::Key_Tab);
  QTest::keyClick(field, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(window().focusWidget(), field);
  EXPECT_EQ(field->text(), "40");
}

}  // namespace
}  // namespace korvex
