#include "Scoring.h"

#include <array>

namespace scoring {
namespace {

// Rows: trunk 1..5; columns: neck 1..3, within each neck legs 1..4.
constexpr std::array<std::array<std::int16_t, 12>, 5> TableA{{
    {1, 2, 3, 4, 1, 2, 3, 4, 3, 3, 5, 6},
    {2, 3, 4, 5, 3, 4, 5, 6, 4, 5, 6, 7},
    {2, 4, 5, 6, 4, 5, 6, 7, 5, 6, 7, 8},
    {3, 5, 6, 7, 5, 6, 7, 8, 6, 7, 8, 9},
    {4, 6, 7, 8, 6, 7, 8, 9, 7, 8, 9, 9},
}};

// Rows: upper arm 1..6; columns: lower arm 1..2, within each lower arm wrist 1..2.
constexpr std::array<std::array<std::int16_t, 4>, 6> TableB{{
    {1, 2, 1, 2},
    {1, 2, 2, 3},
    {3, 4, 4, 5},
    {4, 5, 5, 6},
    {6, 7, 7, 8},
    {7, 8, 8, 9},
}};

// Rows: Score A 1..12; columns: Score B 1..12.
constexpr std::array<std::array<std::int16_t, 12>, 12> TableC{{
    {1, 1, 1, 2, 3, 3, 4, 5, 6, 7, 7, 7},
    {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8},
    {2, 3, 3, 3, 4, 5, 6, 7, 7, 8, 8, 8},
    {3, 4, 4, 4, 5, 6, 7, 8, 8, 9, 9, 9},
    {4, 4, 4, 5, 6, 7, 8, 8, 9, 9, 9, 9},
    {6, 6, 6, 7, 8, 8, 9, 9, 10, 10, 10, 10},
    {7, 7, 7, 8, 9, 9, 9, 10, 10, 11, 11, 11},
    {8, 8, 8, 9, 10, 10, 10, 10, 10, 11, 11, 11},
    {9, 9, 9, 10, 10, 10, 11, 11, 11, 12, 12, 12},
    {10, 10, 10, 11, 11, 11, 11, 12, 12, 12, 12, 12},
    {11, 11, 11, 11, 12, 12, 12, 12, 12, 12, 12, 12},
    {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
}};

constexpr bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

std::int16_t add(std::int16_t a, std::int16_t b)
{
    return static_cast<std::int16_t>(a + b);
}

} // namespace

std::optional<std::int16_t> tableA(int trunk, int neck, int legs)
{
    if (!within(trunk, 1, 5) || !within(neck, 1, 3) || !within(legs, 1, 4))
        return std::nullopt;
    return TableA[trunk - 1][(neck - 1) * 4 + (legs - 1)];
}

std::optional<std::int16_t> tableB(int upperArm, int lowerArm, int wrist)
{
    if (upperArm < 1)
        upperArm = 1;
    if (upperArm > 6 || !within(lowerArm, 1, 2) || !within(wrist, 1, 2))
        return std::nullopt;
    return TableB[upperArm - 1][(lowerArm - 1) * 2 + (wrist - 1)];
}

std::optional<std::int16_t> tableC(int scoreA, int scoreB)
{
    if (!within(scoreA, 1, 12) || !within(scoreB, 1, 12))
        return std::nullopt;
    return TableC[scoreA - 1][scoreB - 1];
}

ComputedScores computeScores(const PostureInputs& in)
{
    ComputedScores out;
    out.postureScoreA = tableA(in.trunk, in.neck, in.legs).value_or(0);
    out.scoreA = add(out.postureScoreA, in.loadForce);

    out.leftPostureScoreB = tableB(in.upperLeftArm, in.lowerLeftArm, in.leftWrist).value_or(0);
    out.leftScoreB = add(out.leftPostureScoreB, in.coupling);
    out.rightPostureScoreB = tableB(in.upperRightArm, in.lowerRightArm, in.rightWrist).value_or(0);
    out.rightScoreB = add(out.rightPostureScoreB, in.coupling);

    out.leftScoreC = tableC(out.scoreA, out.leftScoreB).value_or(0);
    out.rightScoreC = tableC(out.scoreA, out.rightScoreB).value_or(0);
    out.leftVESKScore = add(out.leftScoreC, in.activity);
    out.rightVESKScore = add(out.rightScoreC, in.activity);
    return out;
}

} // namespace scoring
