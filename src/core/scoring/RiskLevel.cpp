#include "RiskLevel.h"

#include <array>

namespace scoring {

std::optional<std::string_view> riskLevelWord(std::int16_t finalScore)
{
    struct Band
    {
        int highest;
        std::string_view word;
    };
    static constexpr std::array<Band, 5> Bands{{
        {1, "Negligible"},
        {3, "Low"},
        {7, "Medium"},
        {10, "High"},
        {15, "Very High"},
    }};
    if (finalScore < 1 || finalScore > 15)
        return std::nullopt;
    for (const Band& band : Bands) {
        if (finalScore <= band.highest)
            return band.word;
    }
    return std::nullopt;
}

} // namespace scoring
