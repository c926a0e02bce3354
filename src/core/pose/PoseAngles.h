#pragma once
// The joint angles the drawings ask about, worked out from the keypoints in the plane of the
// picture: pure geometry, fast enough to redo on every drag of a keypoint. The picture is
// taken to show the worker from the side; which way the worker faces decides which way is
// "forward", so every flexion is positive and every extension negative whichever way that is.
// Elbow and knee are the bend away from straight (0 straight, never negative).

#include "Keypoints.h"
#include "OptionTable.h"

#include <array>
#include <optional>
#include <string>

enum class Side : std::uint8_t
{
    Right,
    Left,
};

struct JointAngle
{
    bool measured = false; // false when a point it needs has no position
    float degrees = 0;     // flexion positive, extension negative
    float visibility = 0;  // the least visibility among the points it needs
};

struct PoseAngles
{
    int facing = 1;              // +1 the worker faces the right of the picture, -1 the left
    Side nearSide = Side::Right; // the side of the body toward the camera
    JointAngle trunk;            // trunk against the vertical
    JointAngle neck;             // head and neck against the trunk
    std::array<JointAngle, 2> knee, upperArm, elbow, wrist; // by Side

    const JointAngle& of(Measure measure, Side side) const;
};

PoseAngles measureAngles(const Keypoints& points);

// "trunk flexion", "right elbow bend", "left wrist flexion", ... for the window and a screen
// reader; the side is ignored for the trunk and the neck.
std::string angleName(Measure measure, Side side);
