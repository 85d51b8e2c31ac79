#pragma once

#include <QString>
#include <array>

#include "rrbutton.h"
#include "test_window.h"

namespace korvex::testing {

enum class LookShot { kNormal, kHot, kPressed, kFocused, kDisabled };

inline constexpr std::array kAllLookShots = {LookShot::kNormal, LookShot::kHot, LookShot::kPressed,
                                             LookShot::kFocused, LookShot::kDisabled};

QString LookName(LookShot look);

// Colours and places of the panel-like test button (80 x 60 at (10, 30), 32-pixel icons at
// (25, 25): blue normal, red hot, green disabled; caption from the top margin 4).
constexpr ColorRef kPanelFace = Rgb(220, 220, 200);
constexpr QPoint kIconTopLeft(25, 25);
constexpr int kIconSize = 32;

// A button configured the way the application's panel configures its own.
RRButton* MakePanelButton(TestWindow& window, const char* caption);

// Brings a fresh, shown button into the given look, with the real pointer and keyboard focus
// where a user would have them.
void StageLook(RRButton* button, LookShot look);

}  // namespace korvex::testing
