#pragma once

#include <optional>
#include <vector>

#include "rrbutton_colors.h"
#include "rrbutton_state.h"

namespace korvex {

enum class BodyLook { kNormal, kRaised, kPressed };

BodyLook ChooseBodyLook(const RRButtonState& state);

// One rounded outline: from (inset, inset) to (width - shrink, height - shrink), exclusive,
// drawn one pixel wide in colour and filled with the face brush.
struct Outline {
  int inset = 0;
  int shrink = 0;
  ColorRef colour = 0;

  bool operator==(const Outline&) const = default;
};

// What the body painter draws and which notification it sends.
struct BodyPlan {
  std::optional<unsigned> notification;
  std::vector<Outline> outlines;
};

BodyPlan PlanBody(const RRButtonState& state, const SystemColours& colours, bool hasFocus);

}  // namespace korvex
