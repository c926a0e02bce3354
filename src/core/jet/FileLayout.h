#pragma once
// Page plan of the files this library writes. Only pages 0 (header), 1 (global free-page
// map) and 2 (the catalog's definition) are fixed by the format; the rest mirrors where Jet
// puts the same structures in an empty database, followed by three pages per user table.

#include <cstddef>
#include <cstdint>

namespace jet {

constexpr std::size_t kPageSize = 4096;

namespace page {
constexpr std::uint32_t Header = 0;
constexpr std::uint32_t GlobalMap = 1;
constexpr std::uint32_t ObjectsDefinition = 2;
constexpr std::uint32_t AcesDefinition = 3;
constexpr std::uint32_t QueriesDefinition = 4;
constexpr std::uint32_t RelationshipsDefinition = 5;
constexpr std::uint32_t SystemMaps = 6;
constexpr std::uint32_t ObjectsParentIdNameIndex = 7;
constexpr std::uint32_t ObjectsIdIndex = 8;
constexpr std::uint32_t AcesObjectIdIndex = 9;
constexpr std::uint32_t QueriesIndex = 10;
constexpr std::uint32_t RelationshipsNameIndex = 11;
constexpr std::uint32_t RelationshipsObjectIndex = 12;
constexpr std::uint32_t RelationshipsReferencedIndex = 13;
constexpr std::uint32_t ObjectsData = 14;
constexpr std::uint32_t AcesData = 15;
constexpr std::uint32_t FirstUserTable = 16;
constexpr std::uint32_t PagesPerUserTable = 3; // definition, usage maps, data

constexpr std::uint32_t userDefinition(std::size_t table)
{
    return FirstUserTable + PagesPerUserTable * std::uint32_t(table);
}
constexpr std::uint32_t userMaps(std::size_t table)
{
    return userDefinition(table) + 1;
}
constexpr std::uint32_t userData(std::size_t table)
{
    return userDefinition(table) + 2;
}
} // namespace page

// Inline usage maps cover pages 0..511, which bounds the file size.
constexpr std::uint32_t kMaxPages = 512;

// Rows on one data page: Jet keeps at most 255 (row numbers are one byte in row references).
constexpr std::size_t kMaxRowsPerPage = 255;

// Largest row Jet accepts ("Record is too large" beyond it).
constexpr std::size_t kMaxRowSize = 4060;

} // namespace jet
