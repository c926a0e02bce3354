#pragma once
// Writer of Microsoft Jet 4.0 (Access 2000 format) database files, without any database
// engine: the library builds every page of a brand-new file itself. A database holds user
// tables of Unicode text columns, filled through a small INSERT INTO ... VALUES statement,
// and is written in one go by close(): to a temporary file beside the target, then renamed
// over it. The files open in Access-compatible readers (mdbtools, mdb-reader and others).
//
//     auto db = jet::Database::create("out.mdb");
//     jet::Table table("Results");
//     table.appendColumn("Score");
//     db.appendTable(std::move(table));
//     db.execute("INSERT INTO Results VALUES (" + jet::quoteValue("7") + ")");
//     db.close();

#include "Error.h"
#include "Options.h"
#include "Quote.h"
#include "Table.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace jet {

class Database
{
public:
    // At most this many user tables (the catalog lives on one page, and the file must stay
    // within what inline usage maps cover).
    static constexpr std::size_t kMaxTables = 16;

    // Creates a new database that will be written at `path` on close(). Throws Error for an
    // empty path, a directory, or a missing parent folder.
    static Database create(const std::filesystem::path& path, Options options = {});

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database(); // without close() nothing is written

    // Adds an empty table. Throws Error for a duplicate name (case-insensitive), a table
    // without columns, a name that is not 1..64 ASCII letters and digits starting with a
    // letter (the catalog index is written only for those), a name starting with "MSys",
    // a definition too large for one page, or more than kMaxTables tables.
    void appendTable(Table table);

    // Runs INSERT INTO <table> VALUES ('...', ...) (UTF-8). A value may be as long as its
    // column in UTF-16 code units (a character outside the BMP counts two, as in Jet). The
    // rows of a table must fit its single data page. Throws Error saying what is wrong and
    // where; a rejected statement changes nothing.
    void execute(std::string_view sql);

    // Builds the file and writes it at the path: through a new file beside it, synced and
    // renamed over the path. Throws Error naming the path and the system's reason; on failure
    // a file that was at the path is unchanged and nothing new is left beside it.
    void close();

    // The complete file image as close() would write it.
    std::vector<std::uint8_t> bytes() const;

private:
    struct Impl;
    explicit Database(std::unique_ptr<Impl> impl);
    Impl& impl() const;

    std::unique_ptr<Impl> impl_;
};

} // namespace jet
