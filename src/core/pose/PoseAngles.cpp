#include "PoseAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Vec
{
    float x = 0, y = 0, z = 0;
};

Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec mid(Vec a, Vec b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}
float dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(Vec a, Vec b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

constexpr float Degrees = 180 / std::numbers::pi_v<float>;

// Keeps an angle in (-180, 180].
float wrapped(float degrees)
{
    while (degrees > 180)
        degrees -= 360;
    while (degrees <= -180)
        degrees += 360;
    return degrees;
}

Vec position(const Keypoints& points, Landmark landmark)
{
    const Keypoint& p = at(points, landmark);
    return {p.x, p.y, p.z};
}

bool placed(const Keypoints& points, std::initializer_list<Landmark> landmarks)
{
    return std::all_of(landmarks.begin(), landmarks.end(), [&](Landmark l) {
        const Keypoint& p = at(points, l);
        return std::isfinite(p.x) && std::isfinite(p.y);
    });
}

float leastVisible(const Keypoints& points, std::initializer_list<Landmark> landmarks)
{
    float least = 1;
    for (const Landmark l : landmarks)
        least = std::min(least, at(points, l).visibility);
    return least;
}

struct Limb
{
    Landmark shoulder, elbow, wrist, index, pinky, hip, knee, ankle;
};
constexpr std::array<Limb, 2> Limbs{{
    {Landmark::RightShoulder, Landmark::RightElbow, Landmark::RightWrist, Landmark::RightIndex,
     Landmark::RightPinky, Landmark::RightHip, Landmark::RightKnee, Landmark::RightAnkle},
    {Landmark::LeftShoulder, Landmark::LeftElbow, Landmark::LeftWrist, Landmark::LeftIndex,
     Landmark::LeftPinky, Landmark::LeftHip, Landmark::LeftKnee, Landmark::LeftAnkle},
}};

// The bend at `b` away from a straight line a-b-c, 0 to 180.
float bend(Vec a, Vec b, Vec c)
{
    const Vec u = b - a, v = c - b;
    return std::atan2(std::abs(u.x * v.y - u.y * v.x), u.x * v.x + u.y * v.y) * Degrees;
}

} // namespace

const JointAngle& PoseAngles::of(Measure measure, Side side) const
{
    const auto s = static_cast<std::size_t>(side);
    switch (measure) {
    case Measure::Trunk:
        return trunk;
    case Measure::Neck:
        return neck;
    case Measure::Knee:
        return knee[s];
    case Measure::UpperArm:
        return upperArm[s];
    case Measure::Elbow:
        return elbow[s];
    case Measure::Wrist:
    case Measure::None:
        break;
    }
    return wrist[s];
}

PoseAngles measureAngles(const Keypoints& points)
{
    using L = Landmark;
    PoseAngles angles;
    const auto p = [&points](Landmark l) { return position(points, l); };
    const auto visibility = [&points](Landmark l) { return at(points, l).visibility; };

    // Facing: the nose is ahead of the ears and the toes ahead of the heels.
    float ahead = 0;
    if (placed(points, {L::Nose, L::LeftEar, L::RightEar}))
        ahead += (p(L::Nose).x - mid(p(L::LeftEar), p(L::RightEar)).x) *
                 std::min(visibility(L::Nose),
                          std::max(visibility(L::LeftEar), visibility(L::RightEar)));
    for (const auto& [heel, toes] :
         {std::pair{L::LeftHeel, L::LeftFootIndex}, std::pair{L::RightHeel, L::RightFootIndex}}) {
        if (placed(points, {heel, toes}))
            ahead += (p(toes).x - p(heel).x) * std::min(visibility(heel), visibility(toes));
    }
    angles.facing = ahead < 0 ? -1 : 1;
    const float forward = float(angles.facing);
    // The angle of v from straight up, and of v from straight down, toward the front positive.
    // The trunk bends forward from up; an arm swings forward from down, the other way round.
    const auto fromUp = [forward](Vec v) { return std::atan2(forward * v.x, -v.y) * Degrees; };
    const auto fromDown = [forward](Vec v) { return std::atan2(forward * v.x, v.y) * Degrees; };

    // The side toward the camera has the smaller depth.
    if (placed(points, {L::LeftShoulder, L::RightShoulder, L::LeftHip, L::RightHip})) {
        const float right = p(L::RightShoulder).z + p(L::RightHip).z;
        const float left = p(L::LeftShoulder).z + p(L::LeftHip).z;
        angles.nearSide = left < right ? Side::Left : Side::Right;
    }

    const Vec shoulders = mid(p(L::LeftShoulder), p(L::RightShoulder));
    const Vec hips = mid(p(L::LeftHip), p(L::RightHip));
    const Vec trunkUp = shoulders - hips;
    const float trunkVisibility = std::max(leastVisible(points, {L::LeftShoulder, L::LeftHip}),
                                           leastVisible(points, {L::RightShoulder, L::RightHip}));
    if (placed(points, {L::LeftShoulder, L::RightShoulder, L::LeftHip, L::RightHip})) {
        angles.trunk = {true, fromUp(trunkUp), trunkVisibility};
        if (placed(points, {L::LeftEar, L::RightEar})) {
            const Vec ears = mid(p(L::LeftEar), p(L::RightEar));
            angles.neck = {true, wrapped(fromUp(ears - shoulders) - fromUp(trunkUp)),
                           std::min(trunkVisibility,
                                    std::max(visibility(L::LeftEar), visibility(L::RightEar)))};
        }
    }

    for (std::size_t s = 0; s < 2; ++s) {
        const Limb& limb = Limbs[s];
        if (placed(points, {limb.hip, limb.knee, limb.ankle}))
            angles.knee[s] = {true, bend(p(limb.hip), p(limb.knee), p(limb.ankle)),
                              leastVisible(points, {limb.hip, limb.knee, limb.ankle})};
        if (angles.trunk.measured && placed(points, {limb.shoulder, limb.elbow})) {
            // Against the trunk hanging down from the shoulder; an arm raised past the
            // vertical is still flexion, up to 240 degrees round from the trunk.
            float degrees =
                wrapped(fromDown(p(limb.elbow) - p(limb.shoulder)) - fromDown(hips - shoulders));
            if (degrees < -120)
                degrees += 360;
            angles.upperArm[s] = {
                true, std::min(degrees, 180.0f),
                std::min(trunkVisibility, leastVisible(points, {limb.shoulder, limb.elbow}))};
        }
        if (placed(points, {limb.shoulder, limb.elbow, limb.wrist}))
            angles.elbow[s] = {true, bend(p(limb.shoulder), p(limb.elbow), p(limb.wrist)),
                               leastVisible(points, {limb.shoulder, limb.elbow, limb.wrist})};
        if (placed(points, {limb.elbow, limb.wrist, limb.index, limb.pinky})) {
            const Vec knuckles = mid(p(limb.index), p(limb.pinky));
            const float degrees = bend(p(limb.elbow), p(limb.wrist), knuckles);
            // Flexion turns the hand toward the palm. The palm faces along (index x pinky)
            // from the wrist for a right hand, the other way for a left one.
            const Vec forearm = p(limb.wrist) - p(limb.elbow);
            const Vec hand = knuckles - p(limb.wrist);
            Vec palm = cross(p(limb.index) - p(limb.wrist), p(limb.pinky) - p(limb.wrist));
            if (s == static_cast<std::size_t>(Side::Left))
                palm = {-palm.x, -palm.y, -palm.z};
            const float along = dot(hand, forearm) / std::max(dot(forearm, forearm), 1e-6f);
            const Vec turn = {hand.x - along * forearm.x, hand.y - along * forearm.y,
                              hand.z - along * forearm.z};
            angles.wrist[s] = {
                true, dot(turn, palm) < 0 ? -degrees : degrees,
                leastVisible(points, {limb.elbow, limb.wrist, limb.index, limb.pinky})};
        }
    }
    return angles;
}

std::string angleName(Measure measure, Side side)
{
    const std::string prefix = side == Side::Right ? "right " : "left ";
    switch (measure) {
    case Measure::Trunk:
        return "trunk flexion";
    case Measure::Neck:
        return "neck flexion";
    case Measure::Knee:
        return prefix + "knee bend";
    case Measure::UpperArm:
        return prefix + "upper arm flexion";
    case Measure::Elbow:
        return prefix + "elbow bend";
    case Measure::Wrist:
        return prefix + "wrist flexion";
    case Measure::None:
        break;
    }
    return {};
}
