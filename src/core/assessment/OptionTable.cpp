#include "OptionTable.h"

const std::array<std::string_view, RegionCount> RegionNames{{
    "Trunk",
    "Neck",
    "Legs",
    "Right upper arm",
    "Left upper arm",
    "Right lower arm",
    "Left lower arm",
    "Right wrist",
    "Left wrist",
    "Load / force",
    "Coupling",
    "Activity",
}};

std::string drawingWords(const OptionSpec& option)
{
    std::string words(option.words);
    if (option.kind != OptionKind::Base) {
        // U+2212, the minus sign, to stand as wide as the plus sign.
        words += option.value < 0 ? ", \u2212" : ", +";
        words += std::to_string(option.value < 0 ? -option.value : option.value);
    }
    return words;
}

// clang-format off
const std::array<OptionSpec, OptionCount> Options{{
    {Region::Trunk, 1, "Frame9", "trunk1", OptionKind::Base, 1, "Trunk - Option 1", "upright", ":/drawings/trunk-1.svg", 0, {1680, 1680, 2295, 2055}, Measure::Trunk, {{{-5, 5}}}},
    {Region::Trunk, 2, "Frame10", "trunk2", OptionKind::Base, 2, "Trunk - Option 2", "0°–20° flexion or extension", ":/drawings/trunk-2.svg", 0, {3960, 1680, 2295, 2055}, Measure::Trunk, {{{5, 20}, {-20, -5}}}},
    {Region::Trunk, 3, "Frame11", "trunk3", OptionKind::Base, 3, "Trunk - Option 3", "20°–60° flexion or extension", ":/drawings/trunk-3.svg", 0, {6240, 1680, 2295, 2055}, Measure::Trunk, {{{20, 60}, {-90, -20}}}},
    {Region::Trunk, 4, "Frame12", "trunk4", OptionKind::Base, 4, "Trunk - Option 4", "more than 60° flexion", ":/drawings/trunk-4.svg", 0, {8520, 1680, 2295, 2055}, Measure::Trunk, {{{60, 180}}}},
    {Region::Trunk, 5, "Frame13", "trunk5", OptionKind::Adjustment, 1, "Trunk - Option 5", "twisted or tilted to the side", ":/drawings/trunk-5.svg", 0, {1680, 3720, 3135, 1215}, Measure::None, {}},
    {Region::Neck, 1, "Frame14", "neck1", OptionKind::Base, 1, "Neck - Option 1", "0°–20° flexion", ":/drawings/neck-1.svg", 0, {1680, 5040, 2535, 2175}, Measure::Neck, {{{0, 20}}}},
    {Region::Neck, 2, "Frame15", "neck2", OptionKind::Base, 2, "Neck - Option 2", "more than 20° flexion, or extension", ":/drawings/neck-2.svg", 0, {4320, 5040, 2535, 2175}, Measure::Neck, {{{20, 180}, {-180, 0}}}},
    {Region::Neck, 3, "Frame16", "neck3", OptionKind::Adjustment, 1, "Neck - Option 3", "twisted or tilted to the side", ":/drawings/neck-3.svg", 0, {6960, 4920, 2895, 1575}, Measure::None, {}},
    {Region::Legs, 1, "Frame17", "leg1", OptionKind::Base, 1, "Legs - Option 1", "weight on both legs, walking or sitting", ":/drawings/legs-1.svg", 0, {1560, 7800, 2295, 2055}, Measure::None, {}},
    {Region::Legs, 2, "Frame18", "leg2", OptionKind::Base, 2, "Legs - Option 2", "weight on one leg, or an unstable posture", ":/drawings/legs-2.svg", 0, {3840, 7800, 2295, 2055}, Measure::None, {}},
    {Region::Legs, 3, "Frame19", "leg3", OptionKind::Knee, 1, "Legs - Option 3", "knees bent 30°–60°", ":/drawings/legs-3.svg", 0, {6600, 7920, 2175, 1935}, Measure::Knee, {{{30, 60}}}},
    {Region::Legs, 4, "Frame20", "leg4", OptionKind::Knee, 2, "Legs - Option 4", "knees bent more than 60°, not sitting", ":/drawings/legs-4.svg", 0, {8760, 7920, 2175, 1935}, Measure::Knee, {{{60, 180}}}},
    {Region::UpperRightArm, 1, "Frame21", "Image96", OptionKind::Base, 1, "Upper Arm Right - Option 1", "20° extension to 20° flexion", ":/drawings/upper-arm-1.svg", 1, {1320, 1680, 2415, 2055}, Measure::UpperArm, {{{-20, 20}}}},
    {Region::UpperRightArm, 2, "Frame22", "Image97", OptionKind::Base, 2, "Upper Arm Right - Option 2", "20°–45° flexion, or more than 20° extension", ":/drawings/upper-arm-2.svg", 1, {3720, 1680, 2415, 2055}, Measure::UpperArm, {{{20, 45}, {-180, -20}}}},
    {Region::UpperRightArm, 3, "Frame23", "Image98", OptionKind::Base, 3, "Upper Arm Right - Option 3", "45°–90° flexion", ":/drawings/upper-arm-3.svg", 1, {6120, 1680, 2415, 2055}, Measure::UpperArm, {{{45, 90}}}},
    {Region::UpperRightArm, 4, "Frame24", "Image99", OptionKind::Base, 4, "Upper Arm Right - Option 4", "more than 90° flexion", ":/drawings/upper-arm-4.svg", 1, {8520, 1680, 2415, 2055}, Measure::UpperArm, {{{90, 180}}}},
    {Region::UpperRightArm, 5, "Frame25", "Image100", OptionKind::Adjustment, 1, "Upper Arm Right - Option 5", "arm abducted or rotated", ":/drawings/upper-arm-5.svg", 1, {1560, 3720, 3015, 1455}, Measure::None, {}},
    {Region::UpperRightArm, 6, "Frame26", "Image101", OptionKind::Adjustment, 1, "Upper Arm Right - Option 6", "shoulder raised", ":/drawings/upper-arm-6.svg", 1, {4680, 3720, 3015, 1455}, Measure::None, {}},
    {Region::UpperRightArm, 7, "Frame27", "Image102", OptionKind::Adjustment, -1, "Upper Arm Right - Option 7", "arm supported or person leaning", ":/drawings/upper-arm-7.svg", 1, {7800, 3720, 3015, 1455}, Measure::None, {}},
    {Region::UpperLeftArm, 1, "Frame28", "Image103", OptionKind::Base, 1, "Upper Arm Left - Option 1", "20° extension to 20° flexion", ":/drawings/upper-arm-1.svg", 1, {1320, 6240, 2415, 2055}, Measure::UpperArm, {{{-20, 20}}}},
    {Region::UpperLeftArm, 2, "Frame29", "Image104", OptionKind::Base, 2, "Upper Arm Left - Option 2", "20°–45° flexion, or more than 20° extension", ":/drawings/upper-arm-2.svg", 1, {3720, 6240, 2415, 2055}, Measure::UpperArm, {{{20, 45}, {-180, -20}}}},
    {Region::UpperLeftArm, 3, "Frame30", "Image105", OptionKind::Base, 3, "Upper Arm Left - Option 3", "45°–90° flexion", ":/drawings/upper-arm-3.svg", 1, {6120, 6240, 2415, 2055}, Measure::UpperArm, {{{45, 90}}}},
    {Region::UpperLeftArm, 4, "Frame31", "Image106", OptionKind::Base, 4, "Upper Arm Left - Option 4", "more than 90° flexion", ":/drawings/upper-arm-4.svg", 1, {8520, 6240, 2415, 2055}, Measure::UpperArm, {{{90, 180}}}},
    {Region::UpperLeftArm, 5, "Frame32", "Image107", OptionKind::Adjustment, 1, "Upper Arm Left - Option 5", "arm abducted or rotated", ":/drawings/upper-arm-5.svg", 1, {1560, 8280, 3015, 1455}, Measure::None, {}},
    {Region::UpperLeftArm, 6, "Frame33", "Image108", OptionKind::Adjustment, 1, "Upper Arm Left - Option 6", "shoulder raised", ":/drawings/upper-arm-6.svg", 1, {4680, 8280, 3015, 1455}, Measure::None, {}},
    {Region::UpperLeftArm, 7, "Frame34", "Image109", OptionKind::Adjustment, -1, "Upper Arm Left - Option 7", "arm supported or person leaning", ":/drawings/upper-arm-7.svg", 1, {7800, 8280, 3015, 1455}, Measure::None, {}},
    {Region::LowerRightArm, 1, "Frame1", "Image111", OptionKind::Base, 1, "Lower Arm Right - Option 1", "elbow bent 60°–100°", ":/drawings/lower-arm-1.svg", 2, {2280, 1680, 3255, 3375}, Measure::Elbow, {{{60, 100}}}},
    {Region::LowerRightArm, 2, "Frame2", "Image110", OptionKind::Base, 2, "Lower Arm Right - Option 2", "elbow bent less than 60° or more than 100°", ":/drawings/lower-arm-2.svg", 2, {6120, 1680, 3255, 3375}, Measure::Elbow, {{{0, 60}, {100, 180}}}},
    {Region::LowerLeftArm, 1, "Frame3", "Image1", OptionKind::Base, 1, "Lower Arm Left - Option 1", "elbow bent 60°–100°", ":/drawings/lower-arm-1.svg", 2, {2280, 6120, 3255, 3375}, Measure::Elbow, {{{60, 100}}}},
    {Region::LowerLeftArm, 2, "Frame4", "Image2", OptionKind::Base, 2, "Lower Arm Left - Option 2", "elbow bent less than 60° or more than 100°", ":/drawings/lower-arm-2.svg", 2, {6120, 6120, 3255, 3375}, Measure::Elbow, {{{0, 60}, {100, 180}}}},
    {Region::RightWrist, 1, "Frame5", "Image6", OptionKind::Base, 1, "Right Wrist - Option 1", "0°–15° flexion or extension", ":/drawings/wrist-1.svg", 3, {2520, 1800, 3255, 3375}, Measure::Wrist, {{{-15, 15}}}},
    {Region::RightWrist, 2, "Frame6", "Image5", OptionKind::Base, 2, "Right Wrist - Option 2", "more than 15° flexion or extension", ":/drawings/wrist-2.svg", 3, {6360, 1800, 3255, 3375}, Measure::Wrist, {{{15, 180}, {-180, -15}}}},
    {Region::LeftWrist, 1, "Frame7", "Image4", OptionKind::Base, 1, "Left Wrist - Option 1", "0°–15° flexion or extension", ":/drawings/wrist-1.svg", 3, {2520, 6360, 3255, 3375}, Measure::Wrist, {{{-15, 15}}}},
    {Region::LeftWrist, 2, "Frame8", "Image3", OptionKind::Base, 2, "Left Wrist - Option 2", "more than 15° flexion or extension", ":/drawings/wrist-2.svg", 3, {6360, 6360, 3255, 3375}, Measure::Wrist, {{{15, 180}, {-180, -15}}}},
    {Region::LoadForce, 1, "Frame35", "Image10", OptionKind::Base, 0, "Load - Option 1", "less than 5 kg (11 lb)", ":/drawings/load-1.svg", 4, {3360, 1680, 2295, 1455}, Measure::None, {}},
    {Region::LoadForce, 2, "Frame36", "Image9", OptionKind::Base, 1, "Load - Option 2", "5–10 kg (11–22 lb)", ":/drawings/load-2.svg", 4, {5760, 1680, 2295, 1455}, Measure::None, {}},
    {Region::LoadForce, 3, "Frame37", "Image11", OptionKind::Base, 2, "Load - Option 3", "more than 10 kg (22 lb)", ":/drawings/load-3.svg", 4, {8160, 1680, 2295, 1455}, Measure::None, {}},
    {Region::LoadForce, 4, "Frame38", "Image12", OptionKind::Adjustment, 1, "Load - Option 4", "shock or rapid build-up of force", ":/drawings/load-4.svg", 4, {5520, 3240, 3135, 1095}, Measure::None, {}},
    {Region::Coupling, 1, "Frame39", "Image7", OptionKind::Base, 0, "Coupling - Option 1", "good grip", ":/drawings/coupling-1.svg", 4, {2280, 5400, 2175, 1215}, Measure::None, {}},
    {Region::Coupling, 2, "Frame40", "Image8", OptionKind::Base, 1, "Coupling - Option 2", "fair grip", ":/drawings/coupling-2.svg", 4, {4440, 5400, 2175, 1215}, Measure::None, {}},
    {Region::Coupling, 3, "Frame41", "Image13", OptionKind::Base, 2, "Coupling - Option 3", "poor grip", ":/drawings/coupling-3.svg", 4, {6600, 5400, 2175, 1215}, Measure::None, {}},
    {Region::Coupling, 4, "Frame42", "Image14", OptionKind::Base, 3, "Coupling - Option 4", "unacceptable grip", ":/drawings/coupling-4.svg", 4, {8760, 5400, 2175, 1215}, Measure::None, {}},
    {Region::Activity, 1, "Frame43", "Image15", OptionKind::Toggle, 1, "Activity - Option 1", "a body part held still for more than 1 minute", ":/drawings/activity-1.svg", 4, {2280, 7920, 2895, 1815}, Measure::None, {}},
    {Region::Activity, 2, "Frame44", "Image16", OptionKind::Toggle, 1, "Activity - Option 2", "small movements repeated more than 4 times a minute", ":/drawings/activity-2.svg", 4, {5160, 7920, 2895, 1815}, Measure::None, {}},
    {Region::Activity, 3, "Frame45", "Image17", OptionKind::Toggle, 1, "Activity - Option 3", "rapid large changes in posture, or an unstable base", ":/drawings/activity-3.svg", 4, {8040, 7920, 2895, 1815}, Measure::None, {}},
}};

const std::array<RequiredRegion, 11> RequiredRegions{{
    {Region::Trunk, "You have not filled in all of the fields for the Trunk"},
    {Region::Neck, "You have not filled in all of the fields for the Neck"},
    {Region::Legs, "You have not filled in all of the fields for the Legs"},
    {Region::UpperRightArm, "You have not filled in all of the fields for the Upper Arm (Right)"},
    {Region::UpperLeftArm, "You have not filled in all of the fields for the Upper Arm (Left)"},
    {Region::LowerRightArm, "You have not filled in all of the fields for the Lower Arm (Right)"},
    {Region::LowerLeftArm, "You have not filled in all of the fields for the Lower Arm (Left)"},
    {Region::RightWrist, "You have not filled in all of the fields for the Wrist (Right)"},
    {Region::LeftWrist, "You have not filled in all of the fields for the Wrist (Left)"},
    {Region::LoadForce, "You have not filled in all of the fields for Load / Force"},
    {Region::Coupling, "You have not filled in all of the fields for Coupling"},
}};

const std::array<ScoreDisplay, RegionCount> ScoreDisplays{{
    {Region::Trunk, 0, "Label84", "Trunk:", {120, 1800}, "Label83", "Trunk Score", {6000, 3840}, "VESKTrunkScore", {9360, 3840}},
    {Region::Neck, 0, "Label81", "Neck:", {120, 5040}, "Label80", "Neck Score", {7080, 6480}, "VESKNeckScore", {10080, 6480}},
    {Region::Legs, 0, "Label77", "Legs:", {120, 7800}, "Label75", "Leg Score", {1680, 9960}, "VESKLegsScore", {4560, 9960}},
    {Region::UpperRightArm, 1, "Label65", "Right Arm:", {120, 1860}, "Label82", "Right Arm Score", {1920, 5280}, "UpperRightArm", {6600, 5280}},
    {Region::UpperLeftArm, 1, "Label87", "Left Arm:", {120, 6240}, "Label88", "Left Arm Score", {1800, 9840}, "UpperLeftArm", {6240, 9840}},
    {Region::LowerRightArm, 2, "Label1", "Right Arm:", {360, 1860}, "Label89", "Right Arm Score", {2400, 5100}, "LowerRightArm", {6840, 5100}},
    {Region::LowerLeftArm, 2, "Label4", "Left Arm:", {360, 5820}, "Label3", "Left Arm Score", {2400, 9600}, "LowerLeftArm", {6840, 9600}},
    {Region::RightWrist, 3, "Label7", "Right Arm:", {600, 1980}, "Label11", "Right Wrist Score", {2640, 5220}, "RightWrist", {7680, 5220}},
    {Region::LeftWrist, 3, "Label2", "Left Arm:", {600, 6240}, "Label5", "Left Wrist Score", {2640, 9720}, "LeftWrist", {7560, 9720}},
    {Region::LoadForce, 4, "Label13", "Load / Force", {120, 1800}, "Label16", "Load / Force Score", {2400, 4440}, "ForceScore", {7440, 4440}},
    {Region::Coupling, 4, "Label6", "Coupling:", {120, 5400}, "Label15", "Coupling Score", {2400, 6840}, "CouplingScore", {7080, 6840}},
    {Region::Activity, 4, "Label17", "Activity:", {120, 7920}, "Label10", "Activity Score", {2280, 9840}, "ActivityScore", {6240, 9840}},
}};
// clang-format on
