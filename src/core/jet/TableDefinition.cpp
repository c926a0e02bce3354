#include "TableDefinition.h"

#include "ByteOrder.h"
#include "Error.h"
#include "FileLayout.h"

#include <algorithm>
#include <cstring>

namespace jet {
namespace {

constexpr std::uint32_t kMagic = 1625;
constexpr std::uint32_t kIndexMagic = 1923;
constexpr std::uint16_t kSortOrderGeneral = 1033;
constexpr std::size_t kHeaderSize = 63;
constexpr std::size_t kColumnBlockSize = 25;
constexpr std::size_t kIndexCountBlockSize = 12;
constexpr std::size_t kPhysicalIndexBlockSize = 52;
constexpr std::size_t kLogicalIndexBlockSize = 28;
constexpr std::size_t kLongValueBlockSize = 10;
constexpr std::size_t kIndexColumnSlots = 10;

std::size_t nameSize(const std::u16string& name)
{
    return 2 + 2 * name.size();
}

} // namespace

std::size_t TableDefinition::length() const
{
    std::size_t total = kHeaderSize + physicalIndexes.size() * kIndexCountBlockSize +
                        columns.size() * kColumnBlockSize;
    for (const ColumnDef& column : columns)
        total += nameSize(column.name);
    total += physicalIndexes.size() * kPhysicalIndexBlockSize;
    total += logicalIndexes.size() * kLogicalIndexBlockSize;
    for (const LogicalIndex& index : logicalIndexes)
        total += nameSize(index.name);
    total += longValueMaps.size() * kLongValueBlockSize;
    return total + 2;
}

std::uint16_t TableDefinition::maxColumnCount() const
{
    std::uint16_t count = 0;
    for (const ColumnDef& column : columns)
        count = std::max<std::uint16_t>(count, std::uint16_t(column.number + 1));
    return count;
}

std::uint16_t TableDefinition::variableColumnCount() const
{
    return std::uint16_t(std::count_if(columns.begin(), columns.end(),
                                       [](const ColumnDef& c) { return !c.isFixed(); }));
}

// Header (63 bytes):
//   0  u8  0x02 page type     1 u8 0x01       2 u16 free space = 4096 - length - 8
//   4  u32 next TDEF page (0) 8 u32 length   12 u32 1625
//   16 u32 row count         20 u32 next autonumber (0)
//   24 u8  0x01 (autonumbering works only with it), 25..39 zero
//   40 u8  table type 'N' user / 'S' system
//   41 u16 max column count   43 u16 variable columns   45 u16 columns
//   47 u32 logical indexes    51 u32 physical indexes
//   55 u32 row ref of the owned-pages map   59 u32 row ref of the free-space-pages map
// then: 12 bytes per physical index (0, distinct keys, 0); 25 bytes per column; column
// names (u16 byte length + UTF-16LE); 52 bytes per physical index; 28 bytes per logical
// index; logical index names; 10 bytes per memo/OLE column; FF FF.
void TableDefinition::write(std::span<std::uint8_t> page) const
{
    const std::size_t total = length();
    if (total + 8 > kPageSize)
        throw Error("table definition of " + std::to_string(total) +
                    " bytes does not fit one page (at most " + std::to_string(kPageSize - 8) + ")");
    std::memset(page.data(), 0, page.size());
    std::vector<std::uint8_t> out;
    out.reserve(total);
    out.push_back(0x02);
    out.push_back(0x01);
    bytes::append16(out, std::uint16_t(kPageSize - total - 8));
    bytes::append32(out, 0);
    bytes::append32(out, std::uint32_t(total));
    bytes::append32(out, kMagic);
    bytes::append32(out, rowCount);
    bytes::append32(out, 0);
    out.push_back(0x01);
    out.resize(40, 0);
    out.push_back(tableType);
    bytes::append16(out, maxColumnCount());
    bytes::append16(out, variableColumnCount());
    bytes::append16(out, std::uint16_t(columns.size()));
    bytes::append32(out, std::uint32_t(logicalIndexes.size()));
    bytes::append32(out, std::uint32_t(physicalIndexes.size()));
    bytes::append32(out, ownedPages.value());
    bytes::append32(out, freeSpacePages.value());

    for (const PhysicalIndex& index : physicalIndexes) {
        bytes::append32(out, 0);
        bytes::append32(out, index.distinctKeys);
        bytes::append32(out, 0);
    }

    // Column block (25 bytes):
    //   0 u8 type  1 u32 1625  5 u16 number  7 u16 variable index  9 u16 number again for
    //   user tables, 0 for system tables  11 u16 sort order 1033  13 u8 0  14 u8 sort version 0
    //   15 u8 flags  16 u8 extra flags (0x01 compressed text)  17 u32 0
    //   21 u16 offset in the fixed area (fixed columns)  23 u16 length in bytes
    for (const ColumnDef& column : columns) {
        out.push_back(std::uint8_t(column.type));
        bytes::append32(out, kMagic);
        bytes::append16(out, column.number);
        bytes::append16(out, column.variableIndex);
        bytes::append16(out, tableType == kUserTable ? column.number : 0);
        bytes::append16(out, kSortOrderGeneral);
        out.push_back(0);
        out.push_back(0);
        out.push_back(column.flags);
        out.push_back(column.extraFlags);
        bytes::append32(out, 0);
        bytes::append16(out, column.fixedOffset);
        bytes::append16(out, column.length);
    }
    for (const ColumnDef& column : columns) {
        bytes::append16(out, std::uint16_t(2 * column.name.size()));
        bytes::appendUtf16(out, column.name);
    }

    // Physical index block (52 bytes):
    //   0 u32 1923  4 ten slots (u16 column, u8 0x01 ascending), unused FF FF 00
    //   34 u32 row ref of the index's usage map  38 u32 root page  42 u32 0
    //   46 u8 flags (0x01 unique, 0x02 ignore nulls, 0x08 required, 0x80 always)  47 5 zeros
    for (const PhysicalIndex& index : physicalIndexes) {
        bytes::append32(out, kIndexMagic);
        for (std::size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
            if (slot < index.columns.size()) {
                bytes::append16(out, index.columns[slot]);
                out.push_back(0x01);
            } else {
                bytes::append16(out, 0xFFFF);
                out.push_back(0x00);
            }
        }
        bytes::append32(out, index.usageMap.value());
        bytes::append32(out, index.rootPage);
        bytes::append32(out, 0);
        out.push_back(index.flags);
        out.resize(out.size() + 5, 0);
    }

    // Logical index block (28 bytes):
    //   0 u32 1625  4 u32 number  8 u32 physical index  12 u8 0  13 u32 FFFFFFFF (no related
    //   index)  17 u32 0  21 u8 4  22 u8 4  23 u8 1 primary key / 0  24 u32 0
    for (const LogicalIndex& index : logicalIndexes) {
        bytes::append32(out, kMagic);
        bytes::append32(out, index.number);
        bytes::append32(out, index.physicalIndex);
        out.push_back(0);
        bytes::append32(out, 0xFFFFFFFF);
        bytes::append32(out, 0);
        out.push_back(0x04);
        out.push_back(0x04);
        out.push_back(index.primaryKey ? 1 : 0);
        bytes::append32(out, 0);
    }
    for (const LogicalIndex& index : logicalIndexes) {
        bytes::append16(out, std::uint16_t(2 * index.name.size()));
        bytes::appendUtf16(out, index.name);
    }

    // Memo/OLE block (10 bytes): u16 column, u32 owned-pages map, u32 free-pages map.
    for (const LongValueMaps& maps : longValueMaps) {
        bytes::append16(out, maps.column);
        bytes::append32(out, maps.owned.value());
        bytes::append32(out, maps.free.value());
    }
    bytes::append16(out, 0xFFFF);
    bytes::putBytes(page, 0, out);
}

} // namespace jet
