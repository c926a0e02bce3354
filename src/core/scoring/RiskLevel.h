#pragma once
// The risk levels of the final score: the scores each covers, its word, and what it asks of the
// assessor. The words of the action are the help's own ("The risk levels at a glance" in the
// help on reduction measures, and the program help's table of risk levels): this table is the
// one place they are written for the program, and a test holds both help files to it, so the
// printed page never says something the help does not.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace scoring {

struct RiskLevel
{
    std::int16_t lowest, highest;
    std::string_view word;
    std::string_view action;    // what the level asks of the assessor
    std::string_view timeFrame; // by when, as the help suggests it
};

// From Negligible to Very High; together they cover the final scores 1 to 15.
extern const std::array<RiskLevel, 5> RiskLevels;

// The level of a final score of 1 to 15; none for any other score.
const RiskLevel* riskLevel(std::int16_t finalScore);

// "Negligible", "Low", "Medium", "High" or "Very High" for a final score of 1 to 15; no word for
// any other score.
std::optional<std::string_view> riskLevelWord(std::int16_t finalScore);

} // namespace scoring
