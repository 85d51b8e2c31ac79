#include "rrbutton_body.h"

#include "rrbutton_messages.h"

namespace korvex {
namespace {

constexpr int kFixedHot = 2;
constexpr int kFixedPressed = 3;

ColorRef DarkFace(const RRButtonState& state) {
  return state.palette.entries[1];
}

BodyPlan RaisedBody(const RRButtonState& state, const SystemColours& colours, bool focusRing) {
  BodyPlan plan{RRBN_PAINTHOT,
                {{0, 1, colours.highlight}, {1, 0, colours.shadow}, {1, 1, state.faceColor}}};
  if (focusRing && (state.raised == 1 || !state.interactive())) {
    plan.outlines.push_back({2, 2, DarkFace(state)});
  }
  return plan;
}

BodyPlan PressedBody(const RRButtonState& state, const SystemColours& colours, bool focusRing) {
  BodyPlan plan{RRBN_PAINTPRESSED,
                {{1, 0, colours.highlight}, {0, 1, colours.shadow}, {1, 1, state.faceColor}}};
  if (focusRing && !state.interactive()) plan.outlines.push_back({2, 2, colours.infoBackground});
  return plan;
}

BodyPlan NormalBody(const RRButtonState& state, const SystemColours& colours, bool focusRing) {
  BodyPlan plan;
  if (state.raised == 0) plan.notification = RRBN_PAINTFLAT;
  const int shrink = state.interactive() ? 1 : 0;
  plan.outlines.push_back({0, shrink, state.faceColor});
  if (focusRing && state.raised == 0) {
    plan.outlines.push_back({0, 1, state.interactive() ? colours.infoBackground : DarkFace(state)});
  }
  return plan;
}

}  // namespace

BodyLook ChooseBodyLook(const RRButtonState& state) {
  const bool interactive = state.interactive();
  if (state.fixedLook == kFixedHot || (interactive && state.look == Look::kHot) ||
      (interactive && state.raised == 1 && state.look == Look::kNormal)) {
    return BodyLook::kRaised;
  }
  if (state.fixedLook == kFixedPressed || (interactive && state.look == Look::kPressed)) {
    return BodyLook::kPressed;
  }
  return BodyLook::kNormal;
}

BodyPlan PlanBody(const RRButtonState& state, const SystemColours& colours, bool hasFocus) {
  const bool focusRing = state.focusable != 0 && hasFocus;
  switch (ChooseBodyLook(state)) {
    case BodyLook::kRaised:
      return RaisedBody(state, colours, focusRing);
    case BodyLook::kPressed:
      return PressedBody(state, colours, focusRing);
    case BodyLook::kNormal:
      return NormalBody(state, colours, focusRing);
  }
  return {};
}

}  // namespace korvex
