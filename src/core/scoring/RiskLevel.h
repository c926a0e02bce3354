#pragma once
// The risk level word of a final score.

#include <cstdint>
#include <optional>
#include <string_view>

namespace scoring {

// "Negligible", "Low", "Medium", "High" or "Very High" for a final score of 1 to 15; no word for
// any other score.
std::optional<std::string_view> riskLevelWord(std::int16_t finalScore);

} // namespace scoring
