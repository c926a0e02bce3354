#include "SystemTables.h"

#include "ByteOrder.h"
#include "FileLayout.h"

namespace jet {
namespace {

constexpr std::uint8_t kFixed = 0x13;    // fixed length, updatable, 0x10 as Jet sets it
constexpr std::uint8_t kVariable = 0x12; // updatable, 0x10
constexpr std::uint8_t kSid = 0x32;      // as kVariable, plus 0x20 on the security columns
constexpr std::uint32_t kSystemFlag = 0x80000000;
constexpr std::array<std::uint8_t, 2> kEngineSid{0xA7, 0x31};
constexpr std::array<std::uint8_t, 2> kCreatorSid{0xA7, 0x36};
constexpr std::uint8_t kUniqueIndex = 0x81;
constexpr std::uint8_t kIgnoreNullsIndex = 0x82;
constexpr std::uint8_t kRequiredIndex = 0x88;

ColumnDef column(const char16_t* name, ColumnType type, std::uint16_t number,
                 std::uint16_t variableIndex, std::uint16_t fixedOffset, std::uint16_t length,
                 std::uint8_t flags)
{
    return {name, type, number, variableIndex, fixedOffset, length, flags, 0};
}

RowRef mapRow(std::uint8_t row)
{
    return {page::SystemMaps, row};
}

Cell longCell(std::int32_t value)
{
    Cell cell{true, {}};
    bytes::append32(cell.bytes, std::uint32_t(value));
    return cell;
}

Cell bytesCell(std::span<const std::uint8_t> value)
{
    return {true, {value.begin(), value.end()}};
}

} // namespace

// Column blocks are in name order, as Jet writes them for system tables; column numbers say
// where each value sits in a row.
TableDefinition SystemTables::objectsDefinition(std::uint32_t rowCount)
{
    using T = ColumnType;
    TableDefinition d;
    d.tableType = TableDefinition::kSystemTable;
    d.rowCount = rowCount;
    d.ownedPages = mapRow(0);
    d.freeSpacePages = mapRow(1);
    d.columns = {
        column(u"Connect", T::Memo, 9, 3, 0, 0, kVariable),
        column(u"Database", T::Memo, 8, 2, 0, 0, kVariable),
        column(u"DateCreate", T::DateTime, 4, 1, 10, 8, kFixed),
        column(u"DateUpdate", T::DateTime, 5, 1, 18, 8, kFixed),
        column(u"Flags", T::Long, 7, 2, 26, 4, kFixed),
        column(u"ForeignName", T::Text, 10, 4, 0, 510, kVariable),
        column(u"Id", T::Long, 0, 0, 0, 4, kFixed),
        column(u"Lv", T::Ole, 13, 7, 0, 0, kVariable),
        column(u"LvExtra", T::Ole, 16, 10, 0, 0, kVariable),
        column(u"LvModule", T::Ole, 15, 9, 0, 0, kVariable),
        column(u"LvProp", T::Ole, 14, 8, 0, 0, kVariable),
        column(u"Name", T::Text, 2, 0, 0, 510, kVariable),
        column(u"Owner", T::Binary, 6, 1, 0, 510, kSid),
        column(u"ParentId", T::Long, 1, 0, 4, 4, kFixed),
        column(u"RmtInfoLong", T::Ole, 12, 6, 0, 0, kVariable),
        column(u"RmtInfoShort", T::Binary, 11, 5, 0, 510, kVariable),
        column(u"Type", T::Integer, 3, 1, 8, 2, kFixed),
    };
    d.physicalIndexes = {
        {{1, 2}, mapRow(16), page::ObjectsParentIdNameIndex, kUniqueIndex, rowCount},
        {{0}, mapRow(17), page::ObjectsIdIndex, kUniqueIndex, rowCount},
    };
    d.logicalIndexes = {{u"Id", 1, 1, true}, {u"ParentIdName", 0, 0, false}};
    d.longValueMaps = {
        {8, mapRow(2), mapRow(3)},    {9, mapRow(4), mapRow(5)},    {12, mapRow(6), mapRow(7)},
        {13, mapRow(8), mapRow(9)},   {14, mapRow(10), mapRow(11)}, {15, mapRow(12), mapRow(13)},
        {16, mapRow(14), mapRow(15)},
    };
    return d;
}

TableDefinition SystemTables::acesDefinition(std::uint32_t rowCount, std::uint32_t distinctObjects)
{
    using T = ColumnType;
    TableDefinition d;
    d.tableType = TableDefinition::kSystemTable;
    d.rowCount = rowCount;
    d.ownedPages = mapRow(18);
    d.freeSpacePages = mapRow(19);
    d.columns = {
        column(u"ACM", T::Long, 2, 1, 4, 4, kFixed),
        column(u"FInheritable", T::Boolean, 3, 1, 0, 1, kFixed),
        column(u"ObjectId", T::Long, 0, 0, 0, 4, kFixed),
        column(u"SID", T::Binary, 1, 0, 0, 510, kSid),
    };
    d.physicalIndexes = {
        {{0}, mapRow(20), page::AcesObjectIdIndex, kRequiredIndex, distinctObjects}};
    d.logicalIndexes = {{u"ObjectId", 0, 0, false}};
    return d;
}

TableDefinition SystemTables::queriesDefinition()
{
    using T = ColumnType;
    TableDefinition d;
    d.tableType = TableDefinition::kSystemTable;
    d.ownedPages = mapRow(21);
    d.freeSpacePages = mapRow(22);
    d.columns = {
        column(u"Attribute", T::Byte, 1, 0, 4, 1, kFixed),
        column(u"Expression", T::Memo, 5, 3, 0, 0, kVariable),
        column(u"Flag", T::Integer, 6, 4, 5, 2, kFixed),
        column(u"LvExtra", T::Long, 7, 4, 7, 4, kFixed),
        column(u"Name1", T::Text, 3, 1, 0, 510, kVariable),
        column(u"Name2", T::Text, 4, 2, 0, 510, kVariable),
        column(u"ObjectId", T::Long, 0, 0, 0, 4, kFixed),
        column(u"Order", T::Binary, 2, 0, 0, 510, kVariable),
    };
    d.physicalIndexes = {{{0, 1, 2}, mapRow(25), page::QueriesIndex, kUniqueIndex, 0}};
    d.logicalIndexes = {{u"ObjectIdAttribute", 0, 0, true}};
    d.longValueMaps = {{5, mapRow(23), mapRow(24)}};
    return d;
}

TableDefinition SystemTables::relationshipsDefinition()
{
    using T = ColumnType;
    TableDefinition d;
    d.tableType = TableDefinition::kSystemTable;
    d.ownedPages = mapRow(26);
    d.freeSpacePages = mapRow(27);
    d.columns = {
        column(u"ccolumn", T::Long, 2, 1, 4, 4, kFixed),
        column(u"grbit", T::Long, 1, 1, 0, 4, kFixed),
        column(u"icolumn", T::Long, 3, 1, 8, 4, kFixed),
        column(u"szColumn", T::Text, 5, 2, 0, 510, kVariable),
        column(u"szObject", T::Text, 4, 1, 0, 510, kVariable),
        column(u"szReferencedColumn", T::Text, 7, 4, 0, 510, kVariable),
        column(u"szReferencedObject", T::Text, 6, 3, 0, 510, kVariable),
        column(u"szRelationship", T::Text, 0, 0, 0, 510, kVariable),
    };
    d.physicalIndexes = {
        {{0}, mapRow(28), page::RelationshipsNameIndex, kIgnoreNullsIndex, 0},
        {{4}, mapRow(29), page::RelationshipsObjectIndex, kIgnoreNullsIndex, 0},
        {{6}, mapRow(30), page::RelationshipsReferencedIndex, kIgnoreNullsIndex, 0},
    };
    d.logicalIndexes = {
        {u"szObject", 1, 1, false},
        {u"szReferencedObject", 2, 2, false},
        {u"szRelationship", 0, 0, false},
    };
    return d;
}

std::vector<CatalogEntry> SystemTables::catalog()
{
    const double date = kCatalogDate;
    return {
        {kTablesContainer, 0x0F000000, u"Tables", 3, kEngineSid, kSystemFlag, date},
        {0x0F000002, 0x0F000000, u"Databases", 3, kEngineSid, kSystemFlag, date},
        {0x0F000003, 0x0F000000, u"Relationships", 3, kEngineSid, kSystemFlag, date},
        {0x10000000, 0x0F000002, u"MSysDb", 2, kAdminSid, kSystemFlag, date},
        {page::ObjectsDefinition, kTablesContainer, u"MSysObjects", 1, kEngineSid, kSystemFlag,
         date},
        {page::AcesDefinition, kTablesContainer, u"MSysACEs", 1, kEngineSid, kSystemFlag, date},
        {page::QueriesDefinition, kTablesContainer, u"MSysQueries", 1, kEngineSid, kSystemFlag,
         date},
        {page::RelationshipsDefinition, kTablesContainer, u"MSysRelationships", 1, kEngineSid,
         kSystemFlag, date},
    };
}

std::vector<AceEntry> SystemTables::aces()
{
    return {
        {0x0F000002, kAdminSid, 393216, false},  {0x0F000003, kCreatorSid, 983294, true},
        {0x0F000003, kAdminSid, 393217, false},  {0x0F000003, kUsersSid, 1048575, true},
        {0x0F000001, kCreatorSid, 983294, true}, {0x0F000001, kAdminSid, 1048319, true},
        {0x0F000001, kUsersSid, 1048319, true},  {0x10000000, kAdminSid, 393230, false},
        {0x10000000, kUsersSid, 14, false},      {3, kAdminSid, 393216, false},
        {2, kAdminSid, 393216, false},           {2, kUsersSid, 20, false},
        {4, kAdminSid, 393216, false},           {4, kUsersSid, 20, false},
        {5, kAdminSid, 917504, false},           {5, kUsersSid, 20, false},
    };
}

CatalogEntry SystemTables::userTableEntry(std::uint32_t page, std::u16string name, double date)
{
    return {std::int32_t(page), kTablesContainer, std::move(name), 1, kAdminSid, 0, date};
}

// A new table gets the non-creator inheritable rights of the Tables container, not inherited
// further.
std::vector<AceEntry> SystemTables::userTableAces(std::uint32_t page)
{
    return {{std::int32_t(page), kAdminSid, 1048319, false},
            {std::int32_t(page), kUsersSid, 1048319, false}};
}

// Catalog columns by number: 0 Id, 1 ParentId, 2 Name, 3 Type, 4 DateCreate, 5 DateUpdate,
// 6 Owner, 7 Flags; the rest stay NULL.
std::vector<Cell> SystemTables::catalogCells(const CatalogEntry& entry)
{
    std::vector<Cell> cells(8);
    cells[0] = longCell(entry.id);
    cells[1] = longCell(entry.parentId);
    cells[2].present = true;
    bytes::appendUtf16(cells[2].bytes, entry.name);
    cells[3].present = true;
    bytes::append16(cells[3].bytes, std::uint16_t(entry.type));
    cells[4].present = true;
    bytes::appendDouble(cells[4].bytes, entry.date);
    cells[5] = cells[4];
    cells[6] = bytesCell(entry.owner);
    cells[7] = longCell(std::int32_t(entry.flags));
    return cells;
}

// ACE columns by number: 0 ObjectId, 1 SID, 2 ACM, 3 FInheritable.
std::vector<Cell> SystemTables::aceCells(const AceEntry& entry)
{
    std::vector<Cell> cells(4);
    cells[0] = longCell(entry.objectId);
    cells[1] = bytesCell(entry.sid);
    cells[2] = longCell(std::int32_t(entry.accessMask));
    cells[3].present = entry.inheritable;
    return cells;
}

} // namespace jet
