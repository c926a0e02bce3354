#pragma once
// The 33 body points the pose model finds, in its own order, and their names as the window
// shows them and a screen reader says them. Coordinates are pixels of the picture as it is
// shown (its orientation applied), x to the right and y down; z is depth toward the camera
// negative, on about the scale of x, and only relative. Visibility is the model's belief, 0 to
// 1, that the point is in sight rather than hidden or guessed.

#include <array>
#include <cstdint>
#include <string_view>

enum class Landmark : std::uint8_t
{
    Nose,
    LeftEyeInner,
    LeftEye,
    LeftEyeOuter,
    RightEyeInner,
    RightEye,
    RightEyeOuter,
    LeftEar,
    RightEar,
    MouthLeft,
    MouthRight,
    LeftShoulder,
    RightShoulder,
    LeftElbow,
    RightElbow,
    LeftWrist,
    RightWrist,
    LeftPinky,
    RightPinky,
    LeftIndex,
    RightIndex,
    LeftThumb,
    RightThumb,
    LeftHip,
    RightHip,
    LeftKnee,
    RightKnee,
    LeftAnkle,
    RightAnkle,
    LeftHeel,
    RightHeel,
    LeftFootIndex,
    RightFootIndex,
};
inline constexpr int LandmarkCount = 33;

struct Keypoint
{
    float x = 0, y = 0, z = 0;
    float visibility = 0;
};

using Keypoints = std::array<Keypoint, LandmarkCount>;

inline const Keypoint& at(const Keypoints& points, Landmark landmark)
{
    return points[static_cast<std::size_t>(landmark)];
}

// "left elbow", "right index knuckle", ...
std::string_view landmarkName(Landmark landmark);
