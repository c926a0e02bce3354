#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace jet {

// A data page (type 0x01) being filled with rows: table rows, usage-map rows or the global
// free-page map.
class DataPage
{
public:
    explicit DataPage(std::uint32_t owner);

    // Whether a row of `size` bytes still fits, with its entry in the offset table.
    bool fits(std::size_t size) const;
    // Appends a row and returns its row number; throws Error when it does not fit.
    std::uint8_t add(std::vector<std::uint8_t> row);
    std::size_t rowCount() const { return rows_.size(); }
    std::size_t freeSpace() const;
    void write(std::span<std::uint8_t> page) const;

private:
    std::uint32_t owner_;
    std::vector<std::vector<std::uint8_t>> rows_;
    std::size_t used_ = 0;
};

} // namespace jet
