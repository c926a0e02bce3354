#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace jet {

enum class ColumnType : std::uint8_t
{
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

// Column flag bits (TDEF column block offset 15).
constexpr std::uint8_t kColumnFixed = 0x01;
constexpr std::uint8_t kColumnUpdatable = 0x02;

// A row reference: row `row` of data page `page`, stored as (page << 8) | row.
struct RowRef
{
    std::uint32_t page = 0;
    std::uint8_t row = 0;

    std::uint32_t value() const { return (page << 8) | row; }
};

struct ColumnDef
{
    std::u16string name;
    ColumnType type = ColumnType::Text;
    std::uint16_t number = 0;
    std::uint16_t variableIndex = 0;
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0; // bytes
    std::uint8_t flags = kColumnUpdatable;
    std::uint8_t extraFlags = 0;

    bool isFixed() const { return (flags & kColumnFixed) != 0; }
};

struct PhysicalIndex
{
    std::vector<std::uint16_t> columns; // ascending, at most 10
    RowRef usageMap;
    std::uint32_t rootPage = 0;
    std::uint8_t flags = 0;
    std::uint32_t distinctKeys = 0;
};

struct LogicalIndex
{
    std::u16string name;
    std::uint32_t number = 0;
    std::uint32_t physicalIndex = 0;
    bool primaryKey = false;
};

// Long-value (memo/OLE) storage maps of one column.
struct LongValueMaps
{
    std::uint16_t column = 0;
    RowRef owned;
    RowRef free;
};

// A table definition page (TDEF, type 0x02): what a reader needs to find a table's rows and
// decode them. Blocks are written in the order of the vectors, so callers choose it.
struct TableDefinition
{
    static constexpr std::uint8_t kUserTable = 0x4E;
    static constexpr std::uint8_t kSystemTable = 0x53;

    std::uint8_t tableType = kUserTable;
    std::uint32_t rowCount = 0;
    RowRef ownedPages;
    RowRef freeSpacePages;
    std::vector<ColumnDef> columns;
    std::vector<PhysicalIndex> physicalIndexes;
    std::vector<LogicalIndex> logicalIndexes;
    std::vector<LongValueMaps> longValueMaps;

    // Bytes from page offset 0 through the closing FF FF.
    std::size_t length() const;
    std::uint16_t maxColumnCount() const;
    std::uint16_t variableColumnCount() const;
    // Writes the page; throws Error when the definition does not fit one page.
    void write(std::span<std::uint8_t> page) const;
};

} // namespace jet
