#pragma once
// A body seen exactly from the side, built from its joint angles as the rendered figures are:
// trunk against the vertical, neck against the trunk, knee bend, and per arm the upper arm
// against the trunk, the elbow bend and the wrist (hand pronated, flexion toward the palm).
// Lengths in pixels; the side toward the camera is nearer (smaller z) and more visible.

#include "Keypoints.h"
#include "PoseAngles.h"

#include <cmath>
#include <numbers>

struct ArmAngles
{
    float arm = 0, elbow = 0, wrist = 0;
};

struct SyntheticPose
{
    float trunk = 0, neck = 0, knee = 0;
    ArmAngles right, left;
    int facing = 1;
    float farVisibility = 0.9f;

    Keypoints keypoints() const
    {
        Keypoints k{};
        const float f = float(facing);
        // (forward, up) in the body's plane to picture pixels; z toward the far side.
        const auto put = [&](Landmark l, float forward, float up, float z, float visibility) {
            k[std::size_t(l)] = {600 + f * forward, 900 - up, z, visibility};
        };
        const auto rad = [](float degrees) { return degrees * std::numbers::pi_v<float> / 180; };
        const Side nearSide = facing > 0 ? Side::Right : Side::Left;
        for (const Side side : {Side::Right, Side::Left}) {
            const bool isRight = side == Side::Right;
            const float z = side == nearSide ? -20.0f : 20.0f;
            const float v = side == nearSide ? 0.99f : farVisibility;
            const auto L = [isRight](Landmark r, Landmark l) { return isRight ? r : l; };
            // Legs: the thigh and the shin each lean half the knee bend, feet on the floor.
            const float half = rad(knee / 2);
            const float hipUp = 400 * std::cos(half);
            put(L(Landmark::RightAnkle, Landmark::LeftAnkle), 0, 0, z, v);
            put(L(Landmark::RightKnee, Landmark::LeftKnee), 200 * std::sin(half),
                200 * std::cos(half), z, v);
            put(L(Landmark::RightHip, Landmark::LeftHip), 0, hipUp, z, v);
            const float shoulderF = 250 * std::sin(rad(trunk));
            const float shoulderU = hipUp + 250 * std::cos(rad(trunk));
            put(L(Landmark::RightShoulder, Landmark::LeftShoulder), shoulderF, shoulderU, z, v);
            put(L(Landmark::RightEar, Landmark::LeftEar),
                shoulderF + 90 * std::sin(rad(trunk + neck)),
                shoulderU + 90 * std::cos(rad(trunk + neck)), z, v);
            // Arms swing forward from hanging down along the trunk.
            const ArmAngles& a = isRight ? right : left;
            const float upper = rad(a.arm - trunk), fore = rad(a.arm + a.elbow - trunk);
            const float hand = rad(a.arm + a.elbow - a.wrist - trunk);
            const float elbowF = shoulderF + 140 * std::sin(upper);
            const float elbowU = shoulderU - 140 * std::cos(upper);
            const float wristF = elbowF + 120 * std::sin(fore);
            const float wristU = elbowU - 120 * std::cos(fore);
            const float knuckleF = wristF + 45 * std::sin(hand);
            const float knuckleU = wristU - 45 * std::cos(hand);
            put(L(Landmark::RightElbow, Landmark::LeftElbow), elbowF, elbowU, z, v);
            put(L(Landmark::RightWrist, Landmark::LeftWrist), wristF, wristU, z, v);
            // The thumb side of a pronated hand is toward the body's middle.
            const float medial = 12 * f * (isRight ? 1.0f : -1.0f);
            put(L(Landmark::RightIndex, Landmark::LeftIndex), knuckleF, knuckleU, z + medial, v);
            put(L(Landmark::RightPinky, Landmark::LeftPinky), knuckleF, knuckleU, z - medial, v);
        }
        const Keypoint& ear =
            at(k, nearSide == Side::Right ? Landmark::RightEar : Landmark::LeftEar);
        k[std::size_t(Landmark::Nose)] = {ear.x + f * 40 * std::cos(rad(trunk + neck)),
                                          ear.y + 40 * std::sin(rad(trunk + neck)), -30, 0.99f};
        return k;
    }
};
