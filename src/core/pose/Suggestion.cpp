#include "Suggestion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct MeasuredRegion
{
    Region region;
    Measure measure;
    int side; // -1: one for the whole body; otherwise the Side
};
constexpr std::array<MeasuredRegion, 9> MeasuredRegions{{
    {Region::Trunk, Measure::Trunk, -1},
    {Region::Neck, Measure::Neck, -1},
    {Region::Legs, Measure::Knee, -1},
    {Region::UpperRightArm, Measure::UpperArm, int(Side::Right)},
    {Region::UpperLeftArm, Measure::UpperArm, int(Side::Left)},
    {Region::LowerRightArm, Measure::Elbow, int(Side::Right)},
    {Region::LowerLeftArm, Measure::Elbow, int(Side::Left)},
    {Region::RightWrist, Measure::Wrist, int(Side::Right)},
    {Region::LeftWrist, Measure::Wrist, int(Side::Left)},
}};

bool angleDrawing(const OptionSpec& drawing)
{
    return drawing.measure != Measure::None &&
           (drawing.kind == OptionKind::Base || drawing.kind == OptionKind::Knee);
}

} // namespace

float edgeMargin(Measure measure)
{
    switch (measure) {
    case Measure::Trunk:
        return 3;
    case Measure::Neck:
    case Measure::Knee:
    case Measure::UpperArm:
        return 5;
    case Measure::Elbow:
        return 7;
    case Measure::Wrist:
        return 12;
    case Measure::None:
        break;
    }
    return 0;
}

int bandOption(Region region, float degrees, float* clearance)
{
    // Edges shared by two of the region's bands are where one drawing gives way to another, and
    // the lower edge of the lowest knee band is where no drawing gives way to one.
    std::vector<float> edges;
    int found = -1;
    for (std::size_t i = 0; i < Options.size(); ++i) {
        const OptionSpec& drawing = Options[i];
        if (drawing.region != region || !angleDrawing(drawing))
            continue;
        for (const AngleRange& band : drawing.bands) {
            if (band.isEmpty())
                continue;
            edges.push_back(band.low);
            edges.push_back(band.high);
            // A band holds its low edge; the top of the scale, 180 degrees, as well.
            if (degrees >= band.low &&
                (degrees < band.high || (band.high >= 180 && degrees <= 180)))
                found = int(i);
        }
    }
    if (clearance) {
        float nearest = std::numeric_limits<float>::infinity();
        for (const float edge : edges) {
            if (std::abs(edge) < 180)
                nearest = std::min(nearest, std::abs(degrees - edge));
        }
        *clearance = nearest;
    }
    return found;
}

std::vector<RegionSuggestion> suggestDrawings(const PoseAngles& angles)
{
    std::vector<RegionSuggestion> suggestions;
    for (const MeasuredRegion& measured : MeasuredRegions) {
        RegionSuggestion s{measured.region, measured.measure, angles.nearSide, {}};
        if (measured.side >= 0) {
            s.side = Side(measured.side);
        } else if (measured.measure == Measure::Knee) {
            // The knee in clearer sight; the other one is mostly guessed in a side view.
            const auto& k = angles.knee;
            s.side = (k[0].measured && !k[1].measured) ||
                             (k[0].measured && k[0].visibility >= k[1].visibility)
                         ? Side::Right
                         : Side::Left;
        }
        s.angle = angles.of(measured.measure, s.side);
        if (s.angle.measured) {
            float clearance = 0;
            const int option = bandOption(measured.region, s.angle.degrees, &clearance);
            const bool clear = s.angle.visibility >= VisibilityThreshold &&
                               clearance >= edgeMargin(measured.measure);
            if (!clear)
                s.verdict = RegionSuggestion::Verdict::CheckByEye;
            else if (option < 0)
                s.verdict = measured.measure == Measure::Knee
                                ? RegionSuggestion::Verdict::NoDrawing
                                : RegionSuggestion::Verdict::CheckByEye;
            else
                s.verdict = RegionSuggestion::Verdict::Drawing;
            if (s.verdict == RegionSuggestion::Verdict::Drawing)
                s.option = option;
        }
        suggestions.push_back(s);
    }
    return suggestions;
}

std::string_view regionCaption(Region region)
{
    for (const OptionSpec& drawing : Options) {
        if (drawing.region == region)
            return drawing.caption.substr(0, drawing.caption.find(" - Option"));
    }
    return {};
}
