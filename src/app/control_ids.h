#pragma once

namespace korvex {

// Numeric ids of the panel's controls. Projects, the rebuild and the commands address the
// panel through these.
enum ControlId : int {
  kNoId = -1,

  kUpdateParamsButton = 101,
  kOpenButton = 102,
  kSaveButton = 105,
  kSaveGcodeButton = 110,
  kExitButton = 199,

  kMainDiameterField = 201,
  kThicknessField = 203,
  kRightDistanceField = 205,
  kLeftDistanceField = 207,
  kCutSegmentsField = 209,
  kReservedTextField = 210,  // stored in project files, never created
  kAngleLetterField = 212,
  kLeftDiameterField = 213,
  kLeftAngleField = 214,
  kRightDiameterField = 215,
  kRightAngleField = 216,
  kLeftAngleDiffField = 218,
  kRightAngleDiffField = 219,
  kXLengthField = 225,
  kYLengthField = 226,
  kAtAngleField = 227,

  kLeftCutOvalBox = 320,
  kRightCutOvalBox = 322,
  kLeftCompensationBox = 324,
  kRightCompensationBox = 326,
  kLeftMode3dBox = 328,
  kRightMode3dBox = 330,
  kDisplayGridBox = 340,
  kDisplayMainBox = 345,
  kDisplayCutBox = 350,
  kReservedCheckBox = 355,  // stored in project files, never created

  kProjectFrame = 601,
};

}  // namespace korvex
