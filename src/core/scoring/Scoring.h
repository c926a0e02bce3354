#pragma once
// Scoring: the three fixed tables and the computation that turns the twelve posture input
// scores into the group scores and the final score of each side. Plain C++ with no Qt, so the
// tests, the benchmarks and the windows share one definition of the method.

#include <cstdint>
#include <optional>

namespace scoring {

struct PostureInputs
{
    std::int16_t trunk = 0;
    std::int16_t neck = 0;
    std::int16_t legs = 0;
    std::int16_t loadForce = 0;
    std::int16_t upperLeftArm = 0;
    std::int16_t lowerLeftArm = 0;
    std::int16_t leftWrist = 0;
    std::int16_t upperRightArm = 0;
    std::int16_t lowerRightArm = 0;
    std::int16_t rightWrist = 0;
    std::int16_t coupling = 0;
    std::int16_t activity = 0;
};

struct ComputedScores
{
    std::int16_t postureScoreA = 0;
    std::int16_t scoreA = 0;
    std::int16_t leftPostureScoreB = 0;
    std::int16_t rightPostureScoreB = 0;
    std::int16_t leftScoreB = 0;
    std::int16_t rightScoreB = 0;
    std::int16_t leftScoreC = 0;
    std::int16_t rightScoreC = 0;
    std::int16_t leftVESKScore = 0;
    std::int16_t rightVESKScore = 0;

    friend bool operator==(const ComputedScores&, const ComputedScores&) = default;
};

// Table lookups. An input outside its table gives no value.
std::optional<std::int16_t> tableA(int trunk, int neck, int legs);
// An upper-arm score below 1 (option 1 with only "arm supported") is read as row 1: the arm is
// at least in the lowest posture band, and a missing row would leave a stale score behind.
std::optional<std::int16_t> tableB(int upperArm, int lowerArm, int wrist);
std::optional<std::int16_t> tableC(int scoreA, int scoreB);

// Runs the whole computation. Inputs that a complete choice of drawings gives always find their
// cells; a lookup outside the tables counts as 0.
ComputedScores computeScores(const PostureInputs& in);

} // namespace scoring
