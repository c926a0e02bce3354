#include "Worksheet.h"

namespace worksheet {

// clang-format off
const std::array<ValueBox, 22> ValueBoxes{{
    {"Label5", {960, 2640, 615, 615}, &Scores::TrunkScore, "Trunk Score"},
    {"Label6", {2400, 2640, 615, 615}, &Scores::NeckScore, "Neck Score"},
    {"Label7", {3840, 2640, 615, 615}, &Scores::LegsScore, "Legs Score"},
    {"Label8", {6120, 2640, 615, 615}, &Scores::UpperLeftArmScore, "Upper Left Arm Score"},
    {"Label9", {7920, 2520, 615, 615}, &Scores::UpperRightArmScore, "Upper Right Arm Score"},
    {"Label10", {9000, 2640, 615, 615}, &Scores::LeftWristScore, "Left Wrist Score"},
    {"Label11", {10800, 2520, 615, 615}, &Scores::RightWristScore, "Right Wrist Score"},
    {"Label12", {11880, 2640, 615, 615}, &Scores::LowerLeftArmScore, "Lower Left Arm Score"},
    {"Label13", {13680, 2520, 615, 615}, &Scores::LowerRightArmScore, "Lower Right Arm Score"},
    {"Label14", {1800, 4440, 615, 615}, &Scores::PostureScoreA, "Posture Score A"},
    {"Label15", {4200, 4440, 615, 615}, &Scores::LoadForceScore, "Load / Force Score"},
    {"Label16", {7200, 4680, 615, 615}, &Scores::LeftPostureScoreB, "Left Posture Score B"},
    {"Label17", {8520, 4440, 615, 615}, &Scores::RightPostureScoreB, "Right Posture Score B"},
    {"Label18", {10680, 4440, 615, 615}, &Scores::CouplingScoreValue, "Coupling Score"},
    {"Label19", {3000, 6120, 615, 615}, &Scores::ScoreA, "Score A"},
    {"Label20", {8760, 6120, 615, 615}, &Scores::LeftScoreB, "Left Score B"},
    {"Label21", {10080, 6000, 615, 495}, &Scores::RightScoreB, "Right Score B"},
    {"Label22", {4800, 7800, 615, 495}, &Scores::LeftScoreC, "Left Score C"},
    {"Label23", {6120, 7680, 615, 495}, &Scores::RightScoreC, "Right Score C"},
    {"Label24", {8880, 7680, 615, 615}, &Scores::ActivityScoreValue, "Activity Score"},
    {"Label25", {12240, 8040, 615, 615}, &Scores::LeftVESKScore, "Left VESK Score"},
    {"Label26", {13560, 7680, 615, 615}, &Scores::RightVESKScore, "Right VESK Score"},
}};
// clang-format on

} // namespace worksheet
