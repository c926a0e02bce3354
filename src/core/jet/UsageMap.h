#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace jet {

// An inline usage map: a row naming a set of pages (a table's data pages, an index's pages,
// or for the global map the free pages).
class UsageMap
{
public:
    static constexpr std::size_t kRowSize = 69;

    void add(std::uint32_t page);
    void addRange(std::uint32_t first, std::uint32_t end);
    // Row layout: 0 u8 0x00 (inline map), 1 u32 first page covered (0), 5 64-byte bitmap,
    // bit p (byte p / 8, LSB first) set when page p is in the set.
    std::vector<std::uint8_t> row() const;

private:
    std::array<std::uint8_t, 64> bits_{};
};

} // namespace jet
