#pragma once

#include "TableDefinition.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// What the file needs to know about one user table.
struct UserTableImage
{
    std::u16string name;
    // Columns as from FileImage::userTableDefinition; page references are filled in here.
    const TableDefinition* definition = nullptr;
    const std::vector<std::vector<std::uint8_t>>* rows = nullptr; // encoded rows
    double date = 0; // OLE date of creation and update in the catalog
};

// Builds the complete image of a new database: header, global free-page map, the four
// system tables with their indexes, catalog and security rows, then three pages per user
// table (definition, usage maps, data). See FileLayout.h for the page plan.
class FileImage
{
public:
    // Text(size) columns, uncompressed, in the given order; no indexes.
    static TableDefinition userTableDefinition(const std::vector<std::u16string>& columnNames,
                                               const std::vector<int>& sizes);
    // Pages the file will have with `userTables` tables.
    static std::uint32_t pageCount(std::size_t userTables);
    // Throws Error when something does not fit its page.
    static std::vector<std::uint8_t> build(const std::vector<UserTableImage>& tables);
};

} // namespace jet
