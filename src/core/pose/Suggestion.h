#pragma once
// From the measured angles to the drawings they stand for, through the bands of the option
// table. The program only suggests: the assessor chooses. A drawing is suggested when the
// points its angle needs are in sight and the angle lies clear of its band's edges; otherwise
// the region is to be checked by eye, and the measured angle is given to help. Adjustments
// (twisted, side-bent, shoulder raised, arm supported, ...) are never suggested, and for the
// legs only the knee-bend drawings are: whether the weight is on both legs is the assessor's
// call.

#include "OptionTable.h"
#include "PoseAngles.h"

#include <string_view>
#include <vector>

// A point counts as in sight from this visibility up.
inline constexpr float VisibilityThreshold = 0.5f;

// How far inside its band an angle must lie, in degrees, for its drawing to be suggested:
// about the error the measurement makes there in a side view, and less than half the
// narrowest band.
float edgeMargin(Measure measure);

struct RegionSuggestion
{
    enum class Verdict : std::uint8_t
    {
        Drawing,     // `option` is suggested
        NoDrawing,   // clearly none of the region's drawings (knees bent less than 30 degrees)
        CheckByEye,  // measured, but hidden or too close to a band's edge
        NotMeasured, // a point it needs has no position
    };
    Region region;
    Measure measure;
    Side side; // the side measured (the trunk and the neck: the side toward the camera)
    JointAngle angle;
    Verdict verdict = Verdict::NotMeasured;
    int option = -1; // index into Options of the suggested drawing, or -1

    // The assessor judges the region alone: no drawing can be suggested for it.
    bool checkByEye() const
    {
        return verdict == Verdict::CheckByEye || verdict == Verdict::NotMeasured;
    }
};

// The nine regions whose drawings show an angle, in the order of the option table.
std::vector<RegionSuggestion> suggestDrawings(const PoseAngles& angles);

// The drawing one angle falls in for a region, whatever its visibility: index into Options, or
// -1 when none of the region's bands holds it. `clearance` receives the distance to the nearest
// edge it must not cross.
int bandOption(Region region, float degrees, float* clearance = nullptr);

// "Trunk", "Upper Arm Right", ...: the part of the report captions before " - Option".
std::string_view regionCaption(Region region);
