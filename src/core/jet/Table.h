#pragma once

#include <string>
#include <vector>

namespace jet {

struct Column
{
    std::string name;      // UTF-8
    int definedSize = 200; // characters (UTF-16 code units)
};

// A user table to be created: a name and Unicode text columns, in display order.
class Table
{
public:
    static constexpr int kMaxColumns = 255;
    static constexpr int kMaxTextSize = 255;
    static constexpr int kMaxNameLength = 64; // UTF-16 code units, as for every Jet object

    explicit Table(std::string name); // UTF-8; checked by Database::appendTable

    // Appends a Unicode text column (adVarWChar) of `definedSize` characters. Throws Error
    // for an invalid or duplicate name (names compare case-insensitively, as in Jet), a size
    // outside 1..255 or a 256th column.
    void appendColumn(std::string name, int definedSize = 200);

    const std::string& name() const { return name_; }
    const std::vector<Column>& columns() const { return columns_; }

private:
    std::string name_;
    std::vector<Column> columns_;
};

} // namespace jet
