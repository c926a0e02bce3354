#pragma once
// Windows' best fit into Windows-1252: characters outside the code page that Windows writes as a
// close character of it (Ł as L, ś as s, a full-width A as A) instead of "?". In code point
// order, so that it can be searched.

#include <array>
#include <cstdint>

struct BestFit
{
    char16_t codePoint;
    std::uint8_t byte;
};

extern const std::array<BestFit, 441> BestFit1252;
