#pragma once
// Writer of Microsoft Jet 4.0 (Access 2000 format) database files, without any database
// engine: the library builds every page of a brand-new file itself. A database holds user
// tables of Unicode text columns, filled a row of values at a time, and bytes() gives the
// complete file; writing it to disk is the caller's (the program uses its safe-write). The
// files open in Access-compatible readers (mdbtools, mdb-reader and others).
//
//     jet::Database db;
//     jet::Table table("Results");
//     table.appendColumn("Score");
//     db.appendTable(std::move(table));
//     db.appendRow("Results", {"7"});
//     safewrite::writeFile("out.mdb", db.bytes());

#include "Error.h"
#include "Options.h"
#include "Table.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class Database
{
public:
    // At most this many user tables (the catalog lives on one page, and the file must stay
    // within what inline usage maps cover).
    static constexpr std::size_t kMaxTables = 16;

    explicit Database(Options options = {});
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    // Adds an empty table. Throws Error for a duplicate name (case-insensitive), a table
    // without columns, a name that is not 1..64 ASCII letters and digits starting with a
    // letter (the catalog index is written only for those), a name starting with "MSys",
    // a definition too large for one page, or more than kMaxTables tables.
    void appendTable(Table table);

    // Appends a row to the table of that name (case-insensitive): one UTF-8 value per column,
    // in column order, stored as text (an empty value is empty text, not NULL). A value may
    // be as long as its column in UTF-16 code units (a character outside the BMP counts two,
    // as in Jet). The rows of a table must fit its single data page. Throws Error saying
    // which table, value and column and what is wrong; a rejected row changes nothing.
    //
    // The rows live here rather than in Table because they are checked against what the
    // database lays out for the table: its row encoding and the room left on its data page.
    void appendRow(std::string_view table, const std::vector<std::string>& values);

    // The complete file image.
    std::vector<std::uint8_t> bytes() const;

private:
    struct Impl;
    Impl& impl() const;

    std::unique_ptr<Impl> impl_;
};

} // namespace jet
