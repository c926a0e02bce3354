#pragma once

#include "RowEncoder.h"
#include "TableDefinition.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// One row of the catalog (MSysObjects).
struct CatalogEntry
{
    std::int32_t id = 0; // for a table: the page of its definition
    std::int32_t parentId = 0;
    std::u16string name;
    std::int16_t type = 0; // 1 table, 2 database object, 3 container
    std::array<std::uint8_t, 2> owner{};
    std::uint32_t flags = 0; // 0x80000000 = system object, hidden by readers
    double date = 0;         // creation and update
};

// One access-control entry (MSysACEs): what `sid` may do with object `objectId`.
struct AceEntry
{
    std::int32_t objectId = 0;
    std::array<std::uint8_t, 2> sid{};
    std::uint32_t accessMask = 0;
    bool inheritable = false;
};

// The four system tables every Jet 4 database has, with the catalog and security rows of a
// database made by the engine itself. The security ids are stored obfuscated with a key
// derived from something in the file that was never pinned down; they are therefore kept
// together with the header creation date and catalog dates they were observed with.
class SystemTables
{
public:
    static constexpr std::int32_t kTablesContainer = 0x0F000001;
    static constexpr std::array<std::uint8_t, 2> kAdminSid{0xA6, 0x33};
    static constexpr std::array<std::uint8_t, 2> kUsersSid{0xA7, 0x33};
    // Date of the system catalog rows, the one that goes with the header creation date.
    static constexpr double kCatalogDate = 37924.55539170139;

    static TableDefinition objectsDefinition(std::uint32_t rowCount);
    static TableDefinition acesDefinition(std::uint32_t rowCount, std::uint32_t distinctObjects);
    static TableDefinition queriesDefinition();
    static TableDefinition relationshipsDefinition();

    static std::vector<CatalogEntry> catalog();
    static std::vector<AceEntry> aces();
    // The catalog row and security rows of a user table whose definition is on `page`.
    static CatalogEntry userTableEntry(std::uint32_t page, std::u16string name, double date);
    static std::vector<AceEntry> userTableAces(std::uint32_t page);

    static std::vector<Cell> catalogCells(const CatalogEntry& entry);
    static std::vector<Cell> aceCells(const AceEntry& entry);
};

} // namespace jet
