#include "shell/control_table.h"

#include <array>

#include "shell/control_ids.h"

namespace korvex {
namespace {

using enum ControlKind;

constexpr std::array kControls = {
    ControlSpec{kProjectFrame, Frame, "PROJECT", "", 1, 5, 190, 90, ""},
    ControlSpec{kOpenButton, ImageButton, "OPEN", "", 10, 30, 80, 60, "PROJECT"},
    ControlSpec{kSaveButton, ImageButton, "SAVE", "", 100, 30, 80, 60, "PROJECT"},
    ControlSpec{kUpdateParamsButton, ImageButton, "UPDATE PARAMS", "", 200, 30, 180, 60, ""},
    ControlSpec{kSaveGcodeButton, ImageButton, "SAVE G CODE", "", 560, 30, 180, 60, ""},
    ControlSpec{kExitButton, ImageButton, "EXIT", "", 940, 30, 80, 60, ""},
    ControlSpec{kNoId, Frame, "PROCESS", "", 1, 200, 190, 60, ""},
    ControlSpec{kNoId, Label, "ANGLE LETTER", "", 10, 220, 100, 20, "PROCESS"},
    ControlSpec{kAngleLetterField, EditField, "", "A", 120, 220, 60, 20, "PROCESS"},
    ControlSpec{kNoId, Frame, "MAIN TUBE", "", 1, 100, 190, 95, ""},
    ControlSpec{kNoId, Label, "DIAMETER", "", 10, 120, 100, 20, "MAIN TUBE"},
    ControlSpec{kMainDiameterField, EditField, "", "40", 120, 120, 60, 20, "MAIN TUBE"},
    ControlSpec{kNoId, Label, "THICKNESS", "", 10, 140, 100, 20, "MAIN TUBE"},
    ControlSpec{kThicknessField, EditField, "", "4", 120, 140, 60, 20, "MAIN TUBE"},
    ControlSpec{kNoId, Label, "CUT SEGMENTS", "", 10, 160, 100, 20, "MAIN TUBE"},
    ControlSpec{kCutSegmentsField, EditField, "", "90", 120, 160, 60, 20, "MAIN TUBE"},
    ControlSpec{kNoId, Frame, "LEFT CUT", "", 1, 270, 190, 190, ""},
    ControlSpec{kNoId, Label, "DIAMETER", "", 10, 290, 100, 20, "LEFT CUT"},
    ControlSpec{kLeftDiameterField, EditField, "", "40", 120, 290, 60, 19, "LEFT CUT"},
    ControlSpec{kNoId, Label, "ANGLE", "", 10, 310, 100, 20, "LEFT CUT"},
    ControlSpec{kLeftAngleField, EditField, "", "45", 120, 310, 60, 19, "LEFT CUT"},
    ControlSpec{kNoId, Label, "DISTANCE", "", 10, 330, 100, 20, "LEFT CUT"},
    ControlSpec{kLeftDistanceField, EditField, "", "-100", 120, 330, 60, 19, "LEFT CUT"},
    ControlSpec{kNoId, Label, "Angle DIFF", "", 10, 350, 100, 20, "LEFT CUT"},
    ControlSpec{kLeftAngleDiffField, EditField, "", "0", 120, 350, 60, 20, "LEFT CUT"},
    ControlSpec{kLeftCutOvalBox, CheckBox, "CUT OVAL", "", 10, 390, 160, 20, "LEFT CUT"},
    ControlSpec{kLeftCompensationBox, CheckBox, "COMPENSATION MODE", "", 10, 410, 160, 20,
                "LEFT CUT"},
    ControlSpec{kLeftMode3dBox, CheckBox, "3D MODE", "", 10, 430, 160, 20, "LEFT CUT"},
    ControlSpec{kNoId, Frame, "RIGHT CUT", "", 1, 470, 190, 190, ""},
    ControlSpec{kNoId, Label, "DIAMETER", "", 10, 490, 100, 20, "RIGHT CUT"},
    ControlSpec{kRightDiameterField, EditField, "", "40", 120, 490, 60, 19, "RIGHT CUT"},
    ControlSpec{kNoId, Label, "ANGLE", "", 10, 510, 100, 20, "RIGHT CUT"},
    ControlSpec{kRightAngleField, EditField, "", "45", 120, 510, 60, 19, "RIGHT CUT"},
    ControlSpec{kNoId, Label, "DISTANCE", "", 10, 530, 100, 40, "RIGHT CUT"},
    ControlSpec{kRightDistanceField, EditField, "", "100", 120, 530, 60, 20, "RIGHT CUT"},
    ControlSpec{kNoId, Label, "Angle DIFF", "", 10, 550, 100, 20, "RIGHT CUT"},
    ControlSpec{kRightAngleDiffField, EditField, "", "0", 120, 550, 60, 20, "RIGHT CUT"},
    ControlSpec{kRightCutOvalBox, CheckBox, "CUT OVAL", "", 10, 590, 160, 20, "RIGHT CUT"},
    ControlSpec{kRightCompensationBox, CheckBox, "COMPENSATION MODE", "", 10, 610, 160, 20,
                "RIGHT CUT"},
    ControlSpec{kRightMode3dBox, CheckBox, "3D MODE", "", 10, 630, 160, 20, "RIGHT CUT"},
    ControlSpec{kNoId, Frame, "RESULT", "", 400, 5, 150, 90, ""},
    ControlSpec{kNoId, Label, "X LENGTH", "", 410, 30, 80, 20, "RESULT"},
    ControlSpec{kXLengthField, EditField, "", "100", 480, 30, 60, 19, "RESULT"},
    ControlSpec{kNoId, Label, "Y LENGTH", "", 410, 50, 80, 20, "RESULT"},
    ControlSpec{kYLengthField, EditField, "", "0", 480, 50, 60, 19, "RESULT"},
    ControlSpec{kNoId, Label, "AT ANGLE", "", 410, 70, 80, 20, "RESULT"},
    ControlSpec{kAtAngleField, EditField, "", "180", 480, 70, 60, 19, "RESULT"},
    ControlSpec{kNoId, Frame, "DISPLAY", "", 760, 5, 150, 90, ""},
    ControlSpec{kDisplayGridBox, CheckBox, "DISPLAY GRID", "", 770, 30, 100, 20, "DISPLAY"},
    ControlSpec{kDisplayMainBox, CheckBox, "DISPLAY MAIN", "", 770, 50, 100, 20, "DISPLAY"},
    ControlSpec{kDisplayCutBox, CheckBox, "DISPLAY CUT", "", 770, 70, 100, 20, "DISPLAY"},
};

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

}  // namespace korvex
