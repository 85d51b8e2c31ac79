#include <QTest>

#include "button_fixture.h"
#include "rrbutton_colors.h"

namespace korvex::testing {
namespace {

using MessagesTest = ButtonFixture;

struct QueryCase {
  unsigned query;
  intptr_t initial;
};

TEST_F(MessagesTest, QueriesAnswerTheInitialValues) {
  const ColorRef face = InitialFaceColor(ToColorRef(button->palette().color(QPalette::Button)));
  const auto text =
      static_cast<intptr_t>(ToColorRef(button->palette().color(QPalette::ButtonText)));
  const QueryCase cases[] = {
      {RRBM_GETCORNER, 20},
      {RRBM_GETFACECOLOR, face},
      {RRBM_GETTEXTBKMODE, 1},
      {RRBM_GETTEXTBKCOLOR, face},
      {RRBM_GETTEXTCOLOR, text},
      {RRBM_GETTEXTCOLORPRESSED, text},
      {RRBM_GETTEXTCOLORHOT, text},
      {RRBM_GETEMBOSS, 0},
      {RRBM_GETRAISED, 0},
      {RRBM_GETFIXEDLOOK, 0},
      {RRBM_GETFOCUSABLE, 1},
      {RRBM_GETTEXTFORMAT, 37},
      {RRBM_GETTEXTMARGINLEFT, 0},
      {RRBM_GETTEXTMARGINTOP, 0},
      {RRBM_GETTEXTMARGINRIGHT, 0},
      {RRBM_GETTEXTMARGINBOTTOM, 0},
      {RRBM_GETIMAGEPOS, -4},
      {RRBM_GETIMAGEWIDTH, 16},
      {RRBM_GETIMAGEHEIGHT, 16},
      {RRBM_GETIMAGEMARGINLEFT, 0},
      {RRBM_GETIMAGEMARGINTOP, 0},
      {RRBM_GETIMAGEMARGINRIGHT, 0},
      {RRBM_GETIMAGEMARGINBOTTOM, 0},
  };
  for (const QueryCase& c : cases)
    EXPECT_EQ(send(c.query), c.initial) << c.query;
}

TEST_F(MessagesTest, StateStartsAtRest) {
  RRButton fresh(&window, 3);
  const RRButtonState& state = fresh.state();
  EXPECT_EQ(state.window, &fresh);
  EXPECT_EQ(state.id, 3);
  EXPECT_EQ(state.parent, &window);
  EXPECT_EQ(state.look, Look::kNormal);
  EXPECT_EQ(state.pressSource, PressSource::kNone);
  EXPECT_EQ(state.hoverTimer, 0);
  EXPECT_EQ(state.cursor.shape(), Qt::ArrowCursor);
  EXPECT_EQ(state.palette.lastButtonFace, -1);
  EXPECT_EQ(fresh.sendMessage(RRBM_GETFACEBRUSH, 0, 0), -1);
  EXPECT_EQ(state.imageType, 0u);
  EXPECT_FALSE(state.font.has_value());
  EXPECT_EQ(state.normalImage.get(), nullptr);
}

struct SetCase {
  unsigned set;
  unsigned query;
  uintptr_t value;
  intptr_t answer;
};

class SetAndQueryTest : public ButtonFixture, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SetAndQueryTest, QueryReturnsWhatWasSet) {
  send(GetParam().set, GetParam().value, 0);
  EXPECT_EQ(send(GetParam().query), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, SetAndQueryTest,
    ::testing::Values(SetCase{RRBM_SETCORNER, RRBM_GETCORNER, 10, 10},
                      SetCase{RRBM_SETCORNER, RRBM_GETCORNER, static_cast<uintptr_t>(-5), 0},
                      SetCase{RRBM_SETFACECOLOR, RRBM_GETFACECOLOR, Rgb(220, 220, 200),
                              Rgb(220, 220, 200)},
                      SetCase{RRBM_SETFACECOLOR, RRBM_GETFACEBRUSH, Rgb(1, 2, 3), Rgb(1, 2, 3)},
                      SetCase{RRBM_SETTEXTBKMODE, RRBM_GETTEXTBKMODE, 2, 2},
                      SetCase{RRBM_SETTEXTBKCOLOR, RRBM_GETTEXTBKCOLOR, 0x123456, 0x123456},
                      SetCase{RRBM_SETTEXTCOLOR, RRBM_GETTEXTCOLOR, 0x0000FF, 0x0000FF},
                      SetCase{RRBM_SETTEXTCOLORPRESSED, RRBM_GETTEXTCOLORPRESSED, 0xFF, 0xFF},
                      SetCase{RRBM_SETTEXTCOLORHOT, RRBM_GETTEXTCOLORHOT, 0xFF00, 0xFF00},
                      SetCase{RRBM_SETEMBOSS, RRBM_GETEMBOSS, 1, 1},
                      SetCase{RRBM_SETRAISED, RRBM_GETRAISED, 5, 1},
                      SetCase{RRBM_SETFIXEDLOOK, RRBM_GETFIXEDLOOK, 2, 2},
                      SetCase{RRBM_SETFOCUSABLE, RRBM_GETFOCUSABLE, 0, 0},
                      SetCase{RRBM_SETTEXTFORMAT, RRBM_GETTEXTFORMAT, 1, 1},
                      SetCase{RRBM_SETTEXTMARGINLEFT, RRBM_GETTEXTMARGINLEFT, 3, 3},
                      SetCase{RRBM_SETTEXTMARGINTOP, RRBM_GETTEXTMARGINTOP, 4, 4},
                      SetCase{RRBM_SETTEXTMARGINRIGHT, RRBM_GETTEXTMARGINRIGHT, 5, 5},
                      SetCase{RRBM_SETTEXTMARGINBOTTOM, RRBM_GETTEXTMARGINBOTTOM, 6, 6},
                      SetCase{RRBM_SETIMAGEPOS, RRBM_GETIMAGEPOS, static_cast<uintptr_t>(-5), -5},
                      // -5 as a 32-bit value reads as -5 too, as it does for the corner.
                      SetCase{RRBM_SETIMAGEPOS, RRBM_GETIMAGEPOS, 0xFFFFFFFBu, -5},
                      SetCase{RRBM_SETCORNER, RRBM_GETCORNER, 0xFFFFFFFBu, 0},
                      SetCase{RRBM_SETIMAGEPOS, RRBM_GETIMAGEPOS, 25, 0},
                      SetCase{RRBM_SETIMAGEMARGINLEFT, RRBM_GETIMAGEMARGINLEFT, 7, 7},
                      SetCase{RRBM_SETIMAGEMARGINTOP, RRBM_GETIMAGEMARGINTOP, 8, 8},
                      SetCase{RRBM_SETIMAGEMARGINRIGHT, RRBM_GETIMAGEMARGINRIGHT, 9, 9},
                      SetCase{RRBM_SETIMAGEMARGINBOTTOM, RRBM_GETIMAGEMARGINBOTTOM, 10, 10}));

struct RedrawCase {
  unsigned message;
  uintptr_t value;
  int paintsWithLParam;
};

class RedrawRuleTest : public ButtonFixture, public ::testing::WithParamInterface<RedrawCase> {};

// lParam 0 never repaints; a non-zero lParam repaints at once unless the message never does.
TEST_P(RedrawRuleTest, RepaintsOnlyWhenAsked) {
  PaintCounter counter(button);
  send(GetParam().message, GetParam().value, 0);
  EXPECT_EQ(counter.paints(), 0);
  send(GetParam().message, GetParam().value, 1);
  EXPECT_EQ(counter.paints(), GetParam().paintsWithLParam);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RedrawRuleTest,
    ::testing::Values(
        RedrawCase{RRBM_SETCORNER, 10, 1}, RedrawCase{RRBM_SETFACECOLOR, 5, 1},
        RedrawCase{RRBM_SETTEXTBKMODE, 2, 1}, RedrawCase{RRBM_SETTEXTBKCOLOR, 5, 1},
        RedrawCase{RRBM_SETTEXTCOLOR, 5, 1}, RedrawCase{RRBM_SETTEXTCOLORPRESSED, 5, 1},
        RedrawCase{RRBM_SETTEXTCOLORHOT, 5, 1}, RedrawCase{RRBM_SETEMBOSS, 1, 1},
        RedrawCase{RRBM_SETRAISED, 1, 1}, RedrawCase{RRBM_SETFIXEDLOOK, 1, 1},
        RedrawCase{RRBM_SETFOCUSABLE, 0, 1}, RedrawCase{RRBM_SETTEXTFORMAT, 1, 1},
        RedrawCase{RRBM_SETTEXTMARGINLEFT, 1, 1}, RedrawCase{RRBM_SETTEXTMARGINTOP, 1, 1},
        RedrawCase{RRBM_SETTEXTMARGINRIGHT, 1, 1}, RedrawCase{RRBM_SETTEXTMARGINBOTTOM, 1, 1},
        RedrawCase{RRBM_SETIMAGEMARGINLEFT, 1, 1}, RedrawCase{RRBM_SETIMAGEMARGINTOP, 1, 1},
        RedrawCase{RRBM_SETIMAGEMARGINRIGHT, 1, 1}, RedrawCase{RRBM_SETIMAGEMARGINBOTTOM, 1, 1},
        RedrawCase{RRBM_SETIMAGEPOS, 3, 0}, RedrawCase{RRBM_SETIMAGESIZE, 3, 0},
        RedrawCase{RRBM_SETIMAGENOSHIFT, 1, 0}));

TEST_F(MessagesTest, RedrawRepaintsAtOnce) {
  PaintCounter counter(button);
  EXPECT_EQ(send(RRBM_REDRAW), 0);
  EXPECT_EQ(counter.paints(), 1);
}

TEST_F(MessagesTest, AbsoluteImagePositionTakesBothParameters) {
  send(RRBM_SETIMAGEPOS, 25, 30);
  EXPECT_EQ(button->state().imagePosition, 0);
  EXPECT_EQ(button->state().imageX, 25);
  EXPECT_EQ(button->state().imageY, 30);
  send(RRBM_SETIMAGESIZE, 32, 24);
  EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 32);
  EXPECT_EQ(send(RRBM_GETIMAGEHEIGHT), 24);
}

TEST_F(MessagesTest, FixedLookFreezesTheLookAndDropsFocusable) {
  send(RRBM_SETFIXEDLOOK, 3);
  EXPECT_EQ(look(), Look::kPressed);
  EXPECT_EQ(send(RRBM_GETFOCUSABLE), 0);
  send(RRBM_SETFIXEDLOOK, 2);
  EXPECT_EQ(look(), Look::kHot);
  send(RRBM_SETFIXEDLOOK, 0);
  EXPECT_EQ(look(), Look::kNormal);
}

TEST_F(MessagesTest, CornerRebuildsTheRegion) {
  EXPECT_FALSE(button->state().region.contains(QPoint(1, 1)));
  send(RRBM_SETCORNER, 0);
  EXPECT_TRUE(button->state().region.contains(QPoint(0, 0)));
  button->resize(40, 30);
  EXPECT_TRUE(button->state().region.contains(QPoint(39, 29)));
  EXPECT_FALSE(button->state().region.contains(QPoint(40, 29)));
}

TEST_F(MessagesTest, CommandAndNotifyArePassedToTheParent) {
  send(WM_COMMAND, 0x10005, 42);
  send(WM_NOTIFY, 9, 43);
  ASSERT_EQ(window.notifications().size(), 2u);
  EXPECT_EQ(window.notifications()[0].message, WM_COMMAND);
  EXPECT_EQ(window.notifications()[0].wParam, 0x10005u);
  EXPECT_EQ(window.notifications()[0].lParam, 42);
  EXPECT_EQ(window.notifications()[1].message, WM_NOTIFY);
}

TEST_F(MessagesTest, DialogCodeWantsEnter) {
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  EXPECT_EQ(send(WM_GETDLGCODE, 0, reinterpret_cast<intptr_t>(&enter)), DLGC_WANTALLKEYS);
  EXPECT_EQ(send(WM_GETDLGCODE, 0, reinterpret_cast<intptr_t>(&letter)), 0);
  EXPECT_EQ(send(WM_GETDLGCODE), 8224);
  send(RRBM_SETFIXEDLOOK, 1);
  EXPECT_EQ(send(WM_GETDLGCODE, 0, reinterpret_cast<intptr_t>(&enter)), 0);
}

TEST_F(MessagesTest, CaptionChangeWaitsForTheNextPaint) {
  PaintCounter counter(button);
  send(WM_SETTEXT, 0, reinterpret_cast<intptr_t>("SAVE"));
  EXPECT_EQ(button->text(), QStringLiteral("SAVE"));
  EXPECT_EQ(counter.paints(), 0);
}

TEST_F(MessagesTest, SetFontRepaintsWhenAsked) {
  PaintCounter counter(button);
  const QFont font(QStringLiteral("Liberation Sans"), 20);
  send(WM_SETFONT, reinterpret_cast<uintptr_t>(&font), 0);
  EXPECT_EQ(counter.paints(), 0);
  send(WM_SETFONT, reinterpret_cast<uintptr_t>(&font), 1);
  EXPECT_EQ(counter.paints(), 1);
  EXPECT_EQ(button->state().font->pointSize(), 20);
}

TEST_F(MessagesTest, UnknownMessageAnswersZero) {
  EXPECT_EQ(send(9999, 1, 1), 0);
}

TEST(RRButtonCreate, MapsStyleAndFlag) {
  TestWindow window;
  window.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
  RRButton* button =
      RRButtonCreate(&window, 101, "UPDATE PARAMS", 200, 30, 180, 60, 1342242816, 0, 1);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->geometry(), QRect(200, 30, 180, 60));
  EXPECT_EQ(button->id(), 101);
  EXPECT_EQ(button->text(), QStringLiteral("UPDATE PARAMS"));
  EXPECT_EQ(button->focusPolicy(), Qt::TabFocus);
  EXPECT_FALSE(button->isHidden());
  ASSERT_TRUE(button->state().font.has_value());
  EXPECT_EQ(button->state().font->family(), QStringLiteral("Liberation Sans"));

  RRButton* plain = RRButtonCreate(&window, 5, "X", 0, 0, 10, 10, WS_CHILD | WS_DISABLED, 0, 0);
  EXPECT_FALSE(plain->state().font.has_value());
  EXPECT_FALSE(plain->isEnabled());
  EXPECT_TRUE(plain->isHidden());
  EXPECT_EQ(plain->focusPolicy(), Qt::NoFocus);
}

TEST(RRButtonCreate, AChildNeedsAParent) {
  EXPECT_EQ(RRButtonCreate(nullptr, 1, "X", 0, 0, 10, 10, WS_CHILD, 0, 0), nullptr);
}

}  // namespace
}  // namespace korvex::testing
