#include "RowEncoder.h"

#include "ByteOrder.h"
#include "Error.h"

#include <algorithm>
#include <cstring>

namespace jet {

RowEncoder::RowEncoder(const std::vector<ColumnDef>& columns)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> variables;
    for (const ColumnDef& column : columns) {
        columnCount_ = std::max<std::uint16_t>(columnCount_, std::uint16_t(column.number + 1));
        if (!column.isFixed()) {
            variables.emplace_back(column.variableIndex, column.number);
        } else if (column.type != ColumnType::Boolean) {
            // Booleans live in the null mask only.
            fixed_.push_back({column.number, column.fixedOffset, column.length});
            fixedSize_ = std::max<std::size_t>(fixedSize_, column.fixedOffset + column.length);
        }
    }
    std::sort(variables.begin(), variables.end());
    for (const auto& variable : variables)
        variableOrder_.push_back(variable.second);
}

// Row layout:
//   u16 column count
//   fixed area: each fixed column at 2 + its fixed offset (zeros when NULL)
//   variable data back to back, in variable-index order
//   u16 EOD (offset of the end of the variable data)
//   u16 per variable column, in REVERSE variable-index order: offset of its data
//   u16 number of variable columns
//   null mask, ceil(columns / 8) bytes, bit n set when column n is not NULL
// The offset table and EOD are left out when there is no variable column. An empty value and
// NULL both have zero length and differ only in the null mask.
std::vector<std::uint8_t> RowEncoder::encode(const std::vector<Cell>& cells) const
{
    const auto cell = [&](std::uint16_t number) -> const Cell* {
        return number < cells.size() && cells[number].present ? &cells[number] : nullptr;
    };
    std::size_t variableBytes = 0;
    for (std::uint16_t number : variableOrder_) {
        if (const Cell* value = cell(number))
            variableBytes += value->bytes.size();
    }
    const std::size_t variableStart = 2 + fixedSize_;
    const std::size_t tableStart = variableStart + variableBytes;
    const std::size_t maskStart =
        tableStart + (variableOrder_.empty() ? 0 : 2 * variableOrder_.size() + 4);
    std::vector<std::uint8_t> row(maskStart + (columnCount_ + 7u) / 8u, 0);
    const std::span<std::uint8_t> out(row);

    bytes::put16(out, 0, columnCount_);
    for (const Fixed& column : fixed_) {
        const Cell* value = cell(column.number);
        if (value == nullptr)
            continue;
        if (value->bytes.size() != column.length)
            throw Error("fixed column value of " + std::to_string(value->bytes.size()) +
                        " bytes, expected " + std::to_string(column.length));
        bytes::putBytes(out, 2 + column.offset, value->bytes);
    }
    if (!variableOrder_.empty()) {
        // Offsets are written from the end of the table backwards: the last entry (just
        // before the count) belongs to variable column 0.
        std::size_t at = variableStart;
        std::size_t entry = maskStart - 4;
        for (std::uint16_t number : variableOrder_) {
            bytes::put16(out, entry, std::uint16_t(at));
            entry -= 2;
            if (const Cell* value = cell(number)) {
                bytes::putBytes(out, at, value->bytes);
                at += value->bytes.size();
            }
        }
        bytes::put16(out, tableStart, std::uint16_t(at)); // EOD
        bytes::put16(out, maskStart - 2, std::uint16_t(variableOrder_.size()));
    }
    for (std::uint16_t number = 0; number < columnCount_; ++number) {
        if (cell(number) != nullptr)
            out[maskStart + number / 8] =
                std::uint8_t(out[maskStart + number / 8] | (1u << (number % 8)));
    }
    return row;
}

} // namespace jet
