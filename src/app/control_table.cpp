#include "app/control_table.h"

#include <array>

#include "app/control_ids.h"

namespace korvex {
namespace {

using enum ControlKind;

constexpr std::array kControls = {
    PanelControl{kProjectFrame, Frame, "PROJECT", "", 1, 5, 190, 90, ""},
    PanelControl{kOpenButton, ImageButton, "OPEN", "", 10, 30, 80, 60, "PROJECT"},
    PanelControl{kSaveButton, ImageButton, "SAVE", "", 100, 30, 80, 60, "PROJECT"},
    PanelControl{kUpdateParamsButton, ImageButton, "UPDATE PARAMS", "", 200, 30, 180, 60, ""},
    PanelControl{kSaveGcodeButton, ImageButton, "SAVE G CODE", "", 560, 30, 180, 60, ""},
    PanelControl{kExitButton, ImageButton, "EXIT", "", 940, 30, 80, 60, ""},
    PanelControl{kNoId, Frame, "PROCESS", "", 1, 200, 190, 60, ""},
    PanelControl{kNoId, Label, "ANGLE LETTER", "", 10, 220, 100, 20, "PROCESS"},
    PanelControl{kAngleLetterField, EditField, "", "A", 120, 220, 60, 20, "PROCESS"},
    PanelControl{kNoId, Frame, "MAIN TUBE", "", 1, 100, 190, 95, ""},
    PanelControl{kNoId, Label, "DIAMETER", "", 10, 120, 100, 20, "MAIN TUBE"},
    PanelControl{kMainDiameterField, EditField, "", "40", 120, 120, 60, 20, "MAIN TUBE"},
    PanelControl{kNoId, Label, "THICKNESS", "", 10, 140, 100, 20, "MAIN TUBE"},
    PanelControl{kThicknessField, EditField, "", "4", 120, 140, 60, 20, "MAIN TUBE"},
    PanelControl{kNoId, Label, "CUT SEGMENTS", "", 10, 160, 100, 20, "MAIN TUBE"},
    PanelControl{kCutSegmentsField, EditField, "", "90", 120, 160, 60, 20, "MAIN TUBE"},
    PanelControl{kNoId, Frame, "LEFT CUT", "", 1, 270, 190, 190, ""},
    PanelControl{kNoId, Label, "DIAMETER", "", 10, 290, 100, 20, "LEFT CUT"},
    PanelControl{kLeftDiameterField, EditField, "", "40", 120, 290, 60, 19, "LEFT CUT"},
    PanelControl{kNoId, Label, "ANGLE", "", 10, 310, 100, 20, "LEFT CUT"},
    PanelControl{kLeftAngleField, EditField, "", "45", 120, 310, 60, 19, "LEFT CUT"},
    PanelControl{kNoId, Label, "DISTANCE", "", 10, 330, 100, 20, "LEFT CUT"},
    PanelControl{kLeftDistanceField, EditField, "", "-100", 120, 330, 60, 19, "LEFT CUT"},
    PanelControl{kNoId, Label, "Angle DIFF", "", 10, 350, 100, 20, "LEFT CUT"},
    PanelControl{kLeftAngleDiffField, EditField, "", "0", 120, 350, 60, 20, "LEFT CUT"},
    PanelControl{kLeftCutOvalBox, CheckBox, "CUT OVAL", "", 10, 390, 160, 20, "LEFT CUT"},
    PanelControl{kLeftCompensationBox, CheckBox, "COMPENSATION MODE", "", 10, 410, 160, 20,
                 "LEFT CUT"},
    PanelControl{kLeftMode3dBox, CheckBox, "3D MODE", "", 10, 430, 160, 20, "LEFT CUT"},
    PanelControl{kNoId, Frame, "RIGHT CUT", "", 1, 470, 190, 190, ""},
    PanelControl{kNoId, Label, "DIAMETER", "", 10, 490, 100, 20, "RIGHT CUT"},
    PanelControl{kRightDiameterField, EditField, "", "40", 120, 490, 60, 19, "RIGHT CUT"},
    PanelControl{kNoId, Label, "ANGLE", "", 10, 510, 100, 20, "RIGHT CUT"},
    PanelControl{kRightAngleField, EditField, "", "45", 120, 510, 60, 19, "RIGHT CUT"},
    PanelControl{kNoId, Label, "DISTANCE", "", 10, 530, 100, 40, "RIGHT CUT"},
    PanelControl{kRightDistanceField, EditField, "", "100", 120, 530, 60, 20, "RIGHT CUT"},
    PanelControl{kNoId, Label, "Angle DIFF", "", 10, 550, 100, 20, "RIGHT CUT"},
    PanelControl{kRightAngleDiffField, EditField, "", "0", 120, 550, 60, 20, "RIGHT CUT"},
    PanelControl{kRightCutOvalBox, CheckBox, "CUT OVAL", "", 10, 590, 160, 20, "RIGHT CUT"},
    PanelControl{kRightCompensationBox, CheckBox, "COMPENSATION MODE", "", 10, 610, 160, 20,
                 "RIGHT CUT"},
    PanelControl{kRightMode3dBox, CheckBox, "3D MODE", "", 10, 630, 160, 20, "RIGHT CUT"},
    PanelControl{kNoId, Frame, "RESULT", "", 400, 5, 150, 90, ""},
    PanelControl{kNoId, Label, "X LENGTH", "", 410, 30, 80, 20, "RESULT"},
    PanelControl{kXLengthField, EditField, "", "100", 480, 30, 60, 19, "RESULT"},
    PanelControl{kNoId, Label, "Y LENGTH", "", 410, 50, 80, 20, "RESULT"},
    PanelControl{kYLengthField, EditField, "", "0", 480, 50, 60, 19, "RESULT"},
    PanelControl{kNoId, Label, "AT ANGLE", "", 410, 70, 80, 20, "RESULT"},
    PanelControl{kAtAngleField, EditField, "", "180", 480, 70, 60, 19, "RESULT"},
    PanelControl{kNoId, Frame, "DISPLAY", "", 760, 5, 150, 90, ""},
    PanelControl{kDisplayGridBox, CheckBox, "DISPLAY GRID", "", 770, 30, 100, 20, "DISPLAY"},
    PanelControl{kDisplayMainBox, CheckBox, "DISPLAY MAIN", "", 770, 50, 100, 20, "DISPLAY"},
    PanelControl{kDisplayCutBox, CheckBox, "DISPLAY CUT", "", 770, 70, 100, 20, "DISPLAY"},
};

}  // namespace

std::span<const PanelControl> ControlTable() {
  return kControls;
}

}  // namespace korvex
