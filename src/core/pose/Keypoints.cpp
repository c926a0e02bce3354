#include "Keypoints.h"

namespace {

// clang-format off
constexpr std::array<std::string_view, LandmarkCount> Names{
    "nose", "left eye, inner corner", "left eye", "left eye, outer corner",
    "right eye, inner corner", "right eye", "right eye, outer corner", "left ear", "right ear",
    "mouth, left corner", "mouth, right corner", "left shoulder", "right shoulder", "left elbow",
    "right elbow", "left wrist", "right wrist", "left little finger knuckle",
    "right little finger knuckle", "left index finger knuckle", "right index finger knuckle",
    "left thumb", "right thumb", "left hip", "right hip", "left knee", "right knee",
    "left ankle", "right ankle", "left heel", "right heel", "left toes", "right toes",
};
// clang-format on

} // namespace

std::string_view landmarkName(Landmark landmark)
{
    return Names[static_cast<std::size_t>(landmark)];
}
