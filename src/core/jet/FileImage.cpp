#include "FileImage.h"

#include "DataPage.h"
#include "Error.h"
#include "FileLayout.h"
#include "HeaderPage.h"
#include "IndexKey.h"
#include "IndexLeafPage.h"
#include "RowEncoder.h"
#include "SystemTables.h"
#include "UsageMap.h"

#include <set>
#include <span>

namespace jet {
namespace {

class PageSink
{
public:
    explicit PageSink(std::uint32_t pages) : bytes_(std::size_t(pages) * kPageSize, 0) {}

    std::span<std::uint8_t> operator[](std::uint32_t page)
    {
        return std::span<std::uint8_t>(bytes_).subspan(std::size_t(page) * kPageSize, kPageSize);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> mapOf(std::initializer_list<std::uint32_t> pages)
{
    UsageMap map;
    for (std::uint32_t page : pages)
        map.add(page);
    return map.row();
}

} // namespace

TableDefinition FileImage::userTableDefinition(const std::vector<std::u16string>& columnNames,
                                               const std::vector<int>& sizes)
{
    TableDefinition d;
    d.tableType = TableDefinition::kUserTable;
    for (std::size_t k = 0; k < columnNames.size(); ++k) {
        const auto number = std::uint16_t(k);
        d.columns.push_back({columnNames[k], ColumnType::Text, number, number, 0,
                             std::uint16_t(2 * sizes[k]), kColumnUpdatable, 0});
    }
    return d;
}

std::uint32_t FileImage::pageCount(std::size_t userTables)
{
    return page::userDefinition(userTables);
}

std::vector<std::uint8_t> FileImage::build(const std::vector<UserTableImage>& tables)
{
    const std::uint32_t pages = pageCount(tables.size());
    if (pages > kMaxPages)
        throw Error("too many tables for one file: " + std::to_string(pages) + " pages, at most " +
                    std::to_string(kMaxPages));
    PageSink file(pages);
    HeaderPage::write(file[page::Header]);

    // Page 1: row 0 marks the pages beyond the end of the file as free, row 1 is empty.
    DataPage globalMap(page::GlobalMap);
    UsageMap freePages;
    freePages.addRange(pages, kMaxPages);
    globalMap.add(freePages.row());
    globalMap.add(UsageMap().row());
    globalMap.write(file[page::GlobalMap]);

    // Catalog rows and both catalog indexes.
    std::vector<CatalogEntry> catalog = SystemTables::catalog();
    std::vector<AceEntry> aces = SystemTables::aces();
    for (std::size_t k = 0; k < tables.size(); ++k) {
        catalog.push_back(
            SystemTables::userTableEntry(page::userDefinition(k), tables[k].name, tables[k].date));
        for (const AceEntry& ace : SystemTables::userTableAces(page::userDefinition(k)))
            aces.push_back(ace);
    }
    const TableDefinition objects = SystemTables::objectsDefinition(std::uint32_t(catalog.size()));
    const RowEncoder objectRows(objects.columns);
    DataPage objectsData(page::ObjectsDefinition);
    IndexLeafPage byParentIdName(page::ObjectsDefinition);
    IndexLeafPage byId(page::ObjectsDefinition);
    for (const CatalogEntry& entry : catalog) {
        const std::uint8_t row =
            objectsData.add(objectRows.encode(SystemTables::catalogCells(entry)));
        byParentIdName.add(IndexKey().appendLong(entry.parentId).appendText(entry.name).bytes(),
                           page::ObjectsData, row);
        byId.add(IndexKey().appendLong(entry.id).bytes(), page::ObjectsData, row);
    }

    std::set<std::int32_t> aceObjects;
    for (const AceEntry& ace : aces)
        aceObjects.insert(ace.objectId);
    const TableDefinition acl =
        SystemTables::acesDefinition(std::uint32_t(aces.size()), std::uint32_t(aceObjects.size()));
    const RowEncoder aceRows(acl.columns);
    DataPage acesData(page::AcesDefinition);
    IndexLeafPage byObjectId(page::AcesDefinition);
    for (const AceEntry& ace : aces) {
        const std::uint8_t row = acesData.add(aceRows.encode(SystemTables::aceCells(ace)));
        byObjectId.add(IndexKey().appendLong(ace.objectId).bytes(), page::AcesData, row);
    }

    objects.write(file[page::ObjectsDefinition]);
    acl.write(file[page::AcesDefinition]);
    SystemTables::queriesDefinition().write(file[page::QueriesDefinition]);
    SystemTables::relationshipsDefinition().write(file[page::RelationshipsDefinition]);

    // Page 6: usage maps of the system tables, in the row order their definitions refer to.
    DataPage systemMaps(0);
    systemMaps.add(mapOf({page::ObjectsData}));
    systemMaps.add(mapOf({page::ObjectsData}));
    for (int k = 0; k < 14; ++k) // memo/OLE columns of MSysObjects, no long values
        systemMaps.add(mapOf({}));
    systemMaps.add(mapOf({page::ObjectsParentIdNameIndex}));
    systemMaps.add(mapOf({page::ObjectsIdIndex}));
    systemMaps.add(mapOf({page::AcesData}));
    systemMaps.add(mapOf({page::AcesData}));
    systemMaps.add(mapOf({page::AcesObjectIdIndex}));
    for (int k = 0; k < 4; ++k) // MSysQueries: owned, free, Expression owned, free
        systemMaps.add(mapOf({}));
    systemMaps.add(mapOf({page::QueriesIndex}));
    systemMaps.add(mapOf({}));
    systemMaps.add(mapOf({}));
    systemMaps.add(mapOf({page::RelationshipsNameIndex}));
    systemMaps.add(mapOf({page::RelationshipsObjectIndex}));
    systemMaps.add(mapOf({page::RelationshipsReferencedIndex}));
    systemMaps.write(file[page::SystemMaps]);

    byParentIdName.write(file[page::ObjectsParentIdNameIndex]);
    byId.write(file[page::ObjectsIdIndex]);
    byObjectId.write(file[page::AcesObjectIdIndex]);
    IndexLeafPage(page::QueriesDefinition).write(file[page::QueriesIndex]);
    IndexLeafPage(page::RelationshipsDefinition).write(file[page::RelationshipsNameIndex]);
    IndexLeafPage(page::RelationshipsDefinition).write(file[page::RelationshipsObjectIndex]);
    IndexLeafPage(page::RelationshipsDefinition).write(file[page::RelationshipsReferencedIndex]);
    objectsData.write(file[page::ObjectsData]);
    acesData.write(file[page::AcesData]);

    for (std::size_t k = 0; k < tables.size(); ++k) {
        const UserTableImage& table = tables[k];
        const std::uint32_t definitionPage = page::userDefinition(k);
        const std::uint32_t mapsPage = page::userMaps(k);
        const std::uint32_t dataPage = page::userData(k);
        TableDefinition definition = *table.definition;
        definition.rowCount = std::uint32_t(table.rows->size());
        definition.ownedPages = {mapsPage, 0};
        definition.freeSpacePages = {mapsPage, 1};
        definition.write(file[definitionPage]);

        DataPage maps(0);
        maps.add(mapOf({dataPage}));
        maps.add(mapOf({dataPage}));
        maps.write(file[mapsPage]);

        DataPage data(definitionPage);
        for (const auto& row : *table.rows)
            data.add(row);
        data.write(file[dataPage]);
    }
    return file.take();
}

} // namespace jet
