#include "Database.h"

#include "FileImage.h"
#include "FileLayout.h"
#include "IndexKey.h"
#include "OleDate.h"
#include "RowEncoder.h"
#include "Utf8.h"

#include <algorithm>

namespace jet {
namespace {

constexpr std::size_t kDataPageSpace = kPageSize - 14; // after the data page header

struct UserTable
{
    Table table;
    std::u16string name;
    TableDefinition definition;
    RowEncoder encoder;
    std::vector<std::vector<std::uint8_t>> rows;
    std::size_t usedSpace = 0; // rows plus their offset-table entries
    double date = 0;
};

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string tableNameProblem(const std::string& name)
{
    if (name.empty())
        return "is empty";
    if (name.size() > std::size_t(Table::kMaxNameLength))
        return "is longer than " + std::to_string(Table::kMaxNameLength) + " characters";
    const bool letterFirst =
        (name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z');
    if (!letterFirst)
        return "does not start with a letter";
    for (char c : name) {
        if (!IndexKey::canEncode(char16_t(static_cast<unsigned char>(c))))
            return "may contain only ASCII letters and digits";
    }
    if (equalIgnoringAsciiCase(name.substr(0, 4), "MSys"))
        return "starts with MSys, which is reserved for system tables";
    return {};
}

} // namespace

struct Database::Impl
{
    Options options;
    std::vector<UserTable> tables;

    UserTable* find(std::string_view name)
    {
        for (UserTable& table : tables) {
            if (equalIgnoringAsciiCase(table.table.name(), name))
                return &table;
        }
        return nullptr;
    }
};

Database::Database(Options options) : impl_(std::make_unique<Impl>())
{
    impl_->options = std::move(options);
    if (!impl_->options.clock)
        impl_->options.clock = [] { return std::chrono::system_clock::now(); };
}

Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Database::Impl& Database::impl() const
{
    if (!impl_)
        throw Error("database: used after being moved from");
    return *impl_;
}

void Database::appendTable(Table table)
{
    Impl& d = impl();
    const std::string where = "table '" + printable(table.name()) + "' ";
    if (const std::string problem = tableNameProblem(table.name()); !problem.empty())
        throw Error(where + "cannot be added: its name " + problem);
    if (d.find(table.name()) != nullptr)
        throw Error(where + "cannot be added: the database already has a table of that name");
    if (table.columns().empty())
        throw Error(where + "cannot be added: it has no columns");
    if (d.tables.size() >= kMaxTables)
        throw Error(where + "cannot be added: a database holds at most " +
                    std::to_string(kMaxTables) + " tables here");

    std::vector<std::u16string> names;
    std::vector<int> sizes;
    for (const Column& column : table.columns()) {
        names.push_back(utf8::toUtf16(column.name));
        sizes.push_back(column.definedSize);
    }
    TableDefinition definition = FileImage::userTableDefinition(names, sizes);
    if (definition.length() + 8 > kPageSize)
        throw Error(where + "cannot be added: its definition takes " +
                    std::to_string(definition.length()) + " bytes, more than one page holds (" +
                    std::to_string(kPageSize - 8) + "); use fewer or shorter column names");
    RowEncoder encoder(definition.columns);
    const double date = toOleDate(d.options.clock());
    std::u16string name16 = utf8::toUtf16(table.name());
    d.tables.push_back({std::move(table),
                        std::move(name16),
                        std::move(definition),
                        std::move(encoder),
                        {},
                        0,
                        date});
}

void Database::appendRow(std::string_view tableName, const std::vector<std::string>& values)
{
    Impl& d = impl();
    UserTable* table = d.find(tableName);
    if (table == nullptr)
        throw Error("table '" + printable(tableName) +
                    "': the row cannot be added: the database has no table of that name");
    const std::string prefix = "table '" + table->table.name() + "': the row cannot be added: ";
    const std::vector<Column>& columns = table->table.columns();
    if (values.size() != columns.size())
        throw Error(prefix + std::to_string(values.size()) + " values given but the table has " +
                    std::to_string(columns.size()) + " columns");

    std::vector<Cell> cells(columns.size());
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const std::string which =
            prefix + "value " + std::to_string(k + 1) + " (column '" + columns[k].name + "') ";
        if (const std::size_t bad = utf8::findInvalid(values[k]); bad != std::string_view::npos)
            throw Error(which + "is not valid UTF-8 (at its byte " + std::to_string(bad + 1) + ")");
        const std::u16string value = utf8::toUtf16(values[k]);
        if (value.size() > std::size_t(columns[k].definedSize))
            throw Error(which + "is " + std::to_string(value.size()) +
                        " UTF-16 code units long, longer than the column's " +
                        std::to_string(columns[k].definedSize));
        // Readers take a value starting with bytes FF FE as compressed text.
        if (!value.empty() && value.front() == u'\uFEFF')
            throw Error(which + "starts with U+FEFF, which readers would take for the "
                                "compressed-text marker");
        cells[k].present = true;
        cells[k].bytes.reserve(2 * value.size());
        for (char16_t unit : value) {
            cells[k].bytes.push_back(std::uint8_t(unit & 0xFF));
            cells[k].bytes.push_back(std::uint8_t(unit >> 8));
        }
    }
    std::vector<std::uint8_t> row = table->encoder.encode(cells);
    if (row.size() > kMaxRowSize)
        throw Error(prefix + "row too large: " + std::to_string(row.size()) +
                    " bytes, a row holds at most " + std::to_string(kMaxRowSize));
    if (table->rows.size() >= kMaxRowsPerPage)
        throw Error(prefix + "no room for another row: the table's data page holds at most " +
                    std::to_string(kMaxRowsPerPage) + " rows");
    const std::size_t needed = row.size() + 2;
    if (table->usedSpace + needed > kDataPageSpace)
        throw Error(prefix + "no room for another row: the table's data page has " +
                    std::to_string(kDataPageSpace - table->usedSpace) +
                    " bytes left and the row needs " + std::to_string(needed));
    table->usedSpace += needed;
    table->rows.push_back(std::move(row));
}

std::vector<std::uint8_t> Database::bytes() const
{
    const Impl& d = impl();
    std::vector<UserTableImage> images;
    images.reserve(d.tables.size());
    for (const UserTable& table : d.tables)
        images.push_back({table.name, &table.definition, &table.rows, table.date});
    return FileImage::build(images);
}

} // namespace jet
