#include "RiskLevel.h"

namespace scoring {

// clang-format off
const std::array<RiskLevel, 5> RiskLevels{{
    {1, 1, "Negligible", "Acceptable. No action needed.", "None; review if the task changes."},
    {2, 3, "Low", "Change may be needed.", "At the next planned review or redesign."},
    {4, 7, "Medium", "Investigate further and change soon.", "Plan within weeks; carry out within a few months."},
    {8, 10, "High", "Investigate and implement change soon.", "Start within days; interim measures at once."},
    {11, 15, "Very High", "Implement change now.", "Immediately; do not let the task go on unchanged."},
}};
// clang-format on

const RiskLevel* riskLevel(std::int16_t finalScore)
{
    for (const RiskLevel& level : RiskLevels) {
        if (finalScore >= level.lowest && finalScore <= level.highest)
            return &level;
    }
    return nullptr;
}

std::optional<std::string_view> riskLevelWord(std::int16_t finalScore)
{
    if (const RiskLevel* level = riskLevel(finalScore))
        return level->word;
    return std::nullopt;
}

} // namespace scoring
