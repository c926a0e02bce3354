#pragma once

#include "TableDefinition.h"

#include <cstdint>
#include <vector>

namespace jet {

// One value of a row: its bytes as stored (little-endian numbers, UTF-16LE text). A missing
// value is NULL; for a Boolean column `present` is the value itself.
struct Cell
{
    bool present = false;
    std::vector<std::uint8_t> bytes;
};

// Encodes rows of one table in the Jet 4 row format.
class RowEncoder
{
public:
    explicit RowEncoder(const std::vector<ColumnDef>& columns);

    // `cells` is indexed by column number; shorter means the remaining columns are NULL.
    std::vector<std::uint8_t> encode(const std::vector<Cell>& cells) const;

private:
    struct Fixed
    {
        std::uint16_t number;
        std::uint16_t offset;
        std::uint16_t length;
    };
    std::uint16_t columnCount_ = 0;
    std::size_t fixedSize_ = 0;
    std::vector<Fixed> fixed_;
    std::vector<std::uint16_t> variableOrder_; // column numbers by variable index
};

} // namespace jet
