#include "Table.h"

#include "Error.h"
#include "Utf8.h"

#include <algorithm>

namespace jet {
namespace {

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Jet's rules for column names: no leading space, no control characters, none of . ! ` [ ]
// (they separate or quote names in expressions).
std::string nameProblem(const std::string& name)
{
    if (utf8::findInvalid(name) != std::string_view::npos)
        return "is not valid UTF-8";
    const std::u16string name16 = utf8::toUtf16(name);
    if (name16.empty())
        return "is empty";
    if (name16.size() > std::size_t(Table::kMaxNameLength))
        return "is longer than " + std::to_string(Table::kMaxNameLength) + " characters";
    if (name16.front() == u' ')
        return "starts with a space";
    for (char16_t c : name16) {
        if (c < 0x20 || c == 0x7F)
            return "contains a control character";
        if (c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']')
            return "contains one of . ! ` [ ]";
    }
    return {};
}

} // namespace

Table::Table(std::string name) : name_(std::move(name)) {}

void Table::appendColumn(std::string name, int definedSize)
{
    const std::string where = "table '" + name_ + "': column '" + name + "' ";
    if (const std::string problem = nameProblem(name); !problem.empty())
        throw Error(where + "cannot be added: its name " + problem);
    if (definedSize < 1 || definedSize > kMaxTextSize)
        throw Error(where + "cannot be added: size " + std::to_string(definedSize) +
                    " is outside 1.." + std::to_string(kMaxTextSize));
    if (columns_.size() >= std::size_t(kMaxColumns))
        throw Error(where + "cannot be added: a table has at most " + std::to_string(kMaxColumns) +
                    " columns");
    for (const Column& column : columns_) {
        if (equalIgnoringAsciiCase(column.name, name))
            throw Error(where + "cannot be added: the table already has a column of that name");
    }
    columns_.push_back({std::move(name), definedSize});
}

} // namespace jet
