#include "rrbutton_body.h"

#include <gtest/gtest.h>

#include "rrbutton_messages.h"

namespace korvex {
namespace {

constexpr ColorRef kHighlight = Rgb(255, 255, 255);
constexpr ColorRef kShadow = Rgb(100, 100, 100);
constexpr ColorRef kFocus = Rgb(255, 255, 225);
constexpr ColorRef kFace = Rgb(220, 220, 200);
constexpr ColorRef kDarkFace = Rgb(7, 7, 7);
constexpr unsigned kNone = 0;

struct BodyCase {
  const char* name;
  int fixedLook;
  int raised;
  Look look;
  bool focused;
  BodyLook body;
  unsigned notification;
  std::vector<Outline> outlines;
};

class PlanBodyTest : public ::testing::TestWithParam<BodyCase> {};

TEST_P(PlanBodyTest, FollowsTheOutlineTable) {
  const BodyCase& c = GetParam();
  RRButtonState state;
  state.fixedLook = c.fixedLook;
  state.raised = c.raised;
  state.look = c.look;
  state.faceColor = kFace;
  state.palette.entries[1] = kDarkFace;
  const SystemColours colours{.highlight = kHighlight, .shadow = kShadow, .infoBackground = kFocus};
  EXPECT_EQ(ChooseBodyLook(state), c.body);
  const BodyPlan plan = PlanBody(state, colours, c.focused);
  EXPECT_EQ(plan.notification.value_or(kNone), c.notification);
  EXPECT_EQ(plan.outlines, c.outlines);
}

const std::vector<Outline> kRaised = {{0, 1, kHighlight}, {1, 0, kShadow}, {1, 1, kFace}};
const std::vector<Outline> kPressed = {{1, 0, kHighlight}, {0, 1, kShadow}, {1, 1, kFace}};

std::vector<Outline> With(std::vector<Outline> outlines, Outline extra) {
  outlines.push_back(extra);
  return outlines;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlanBodyTest,
    ::testing::Values(BodyCase{"flat_at_rest",
                               0,
                               0,
                               Look::kNormal,
                               false,
                               BodyLook::kNormal,
                               RRBN_PAINTFLAT,
                               {{0, 1, kFace}}},
                      BodyCase{"flat_focused",
                               0,
                               0,
                               Look::kNormal,
                               true,
                               BodyLook::kNormal,
                               RRBN_PAINTFLAT,
                               {{0, 1, kFace}, {0, 1, kFocus}}},
                      BodyCase{"hot", 0, 0, Look::kHot, false, BodyLook::kRaised, RRBN_PAINTHOT,
                               kRaised},
                      BodyCase{"hot_focused_flat_has_no_ring", 0, 0, Look::kHot, true,
                               BodyLook::kRaised, RRBN_PAINTHOT, kRaised},
                      BodyCase{"raised_at_rest_focused", 0, 1, Look::kNormal, true,
                               BodyLook::kRaised, RRBN_PAINTHOT, With(kRaised, {2, 2, kDarkFace})},
                      BodyCase{"pressed", 0, 0, Look::kPressed, true, BodyLook::kPressed,
                               RRBN_PAINTPRESSED, kPressed},
                      BodyCase{"fixed_normal",
                               1,
                               0,
                               Look::kNormal,
                               false,
                               BodyLook::kNormal,
                               RRBN_PAINTFLAT,
                               {{0, 0, kFace}}},
                      BodyCase{"fixed_normal_focused",
                               1,
                               0,
                               Look::kNormal,
                               true,
                               BodyLook::kNormal,
                               RRBN_PAINTFLAT,
                               {{0, 0, kFace}, {0, 1, kDarkFace}}},
                      BodyCase{"fixed_normal_raised",
                               1,
                               1,
                               Look::kNormal,
                               true,
                               BodyLook::kNormal,
                               kNone,
                               {{0, 0, kFace}}},
                      BodyCase{"fixed_hot_ignores_look", 2, 0, Look::kPressed, true,
                               BodyLook::kRaised, RRBN_PAINTHOT, With(kRaised, {2, 2, kDarkFace})},
                      BodyCase{"fixed_pressed_ignores_look", 3, 0, Look::kNormal, false,
                               BodyLook::kPressed, RRBN_PAINTPRESSED, kPressed},
                      BodyCase{"fixed_pressed_focused", 3, 0, Look::kHot, true, BodyLook::kPressed,
                               RRBN_PAINTPRESSED, With(kPressed, {2, 2, kFocus})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlanBody, NoFocusRingWhenNotFocusable) {
  RRButtonState state;
  state.focusable = 0;
  const BodyPlan plan = PlanBody(state, SystemColours{}, true);
  EXPECT_EQ(plan.outlines.size(), 1u);
}

}  // namespace
}  // namespace korvex
