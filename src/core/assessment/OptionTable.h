#pragma once
// The 45 drawing options of the posture selection window, in report order. The window is built
// from this table, View Results validates against it and the writer reads the options' frames in
// this order. Positions are in twips inside the tab page (left, top, width, height).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class Region : std::uint8_t
{
    Trunk,
    Neck,
    Legs,
    UpperRightArm,
    UpperLeftArm,
    LowerRightArm,
    LowerLeftArm,
    RightWrist,
    LeftWrist,
    LoadForce,
    Coupling,
    Activity,
};
inline constexpr int RegionCount = 12;

// Each region as people name it, in Region order ("Trunk", "Right upper arm", ...): the printed
// page, the table of reports and a screen reader use them.
extern const std::array<std::string_view, RegionCount> RegionNames;

enum class OptionKind : std::uint8_t
{
    Base,       // sets the region's score and replaces the region's other base option
    Adjustment, // adds its value while chosen
    Knee,       // one of the two knee options, of which at most one is chosen
    Toggle,     // an activity: adds its value while chosen
};

struct TwipsRect
{
    int left, top, width, height;
};

// The joint angle a drawing shows, as measured on a picture of the worker: flexion positive,
// extension negative, in degrees; for the elbow and the knee, the bend away from straight.
enum class Measure : std::uint8_t
{
    None, // not an angle: a load, a grip, an activity, or what only the assessor can judge
    Trunk,
    Neck,
    Knee,
    UpperArm,
    Elbow,
    Wrist,
};

// A range of that angle, low to high. A drawing covers at most two ranges (its flexion and its
// extension); an unused range is empty, low equal to high. Neighbouring drawings of a region
// share their edges.
struct AngleRange
{
    float low = 0, high = 0;

    bool isEmpty() const { return !(low < high); }
};

struct OptionSpec
{
    Region region;
    int option;               // option number within the region, as in the report captions
    std::string_view frame;   // object name of the frame
    std::string_view drawing; // object name of the picture control inside it
    OptionKind kind;
    std::int16_t value;
    std::string_view caption; // report caption
    std::string_view words;   // what the drawing shows, in the assessor's words (UTF-8)
    std::string_view artwork; // resource path of the drawing
    int tab;                  // 0-based tab of the tabbed container
    TwipsRect frameRect;
    Measure measure;                 // the angle the drawing stands for, if any
    std::array<AngleRange, 2> bands; // the ranges of that angle the drawing covers
};

inline constexpr int OptionCount = 45;
extern const std::array<OptionSpec, OptionCount> Options;

// What a drawing shows, in the assessor's words; a drawing that adds to its region's base score
// says what it adds ("twisted or tilted to the side, +1"), so a reader can follow the score.
std::string drawingWords(const OptionSpec& option);

// One of the eleven regions that need a base choice before the results can be computed, in the
// order they are checked, with the message shown when none of its base options is chosen.
struct RequiredRegion
{
    Region region;
    std::string_view message;
};
extern const std::array<RequiredRegion, 11> RequiredRegions;

// The value label, caption label, row label and score variable name of a region's score display.
struct TwipsPoint
{
    int left, top;
};

struct ScoreDisplay
{
    Region region;
    int tab;
    std::string_view rowLabel, rowText;
    TwipsPoint rowAt;
    std::string_view captionLabel, captionText;
    TwipsPoint captionAt;
    std::string_view valueLabel;
    TwipsPoint valueAt;
};
extern const std::array<ScoreDisplay, RegionCount> ScoreDisplays;
