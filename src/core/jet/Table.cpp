#include "Table.h"

#include "CaseFold.h"
#include "Error.h"
#include "Utf8.h"

namespace jet {
namespace {

// Jet's rules for column names: no leading space, no control characters, none of . ! ` [ ]
// (they separate or quote names in expressions); no leading U+FEFF, which readers would take
// for the marker of compressed text.
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
    if (name16.front() == u'\uFEFF')
        return "starts with U+FEFF";
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
    const std::string where = "table '" + printable(name_) + "': column '" + printable(name) + "' ";
    if (const std::string problem = nameProblem(name); !problem.empty())
        throw Error(where + "cannot be added: its name " + problem);
    if (definedSize < 1 || definedSize > kMaxTextSize)
        throw Error(where + "cannot be added: size " + std::to_string(definedSize) +
                    " is outside 1.." + std::to_string(kMaxTextSize));
    if (columns_.size() >= std::size_t(kMaxColumns))
        throw Error(where + "cannot be added: a table has at most " + std::to_string(kMaxColumns) +
                    " columns");
    const std::u16string name16 = utf8::toUtf16(name);
    for (const Column& column : columns_) {
        if (equalIgnoringCase(utf8::toUtf16(column.name), name16))
            throw Error(where + "cannot be added: the table already has a column of that name");
    }
    columns_.push_back({std::move(name), definedSize});
}

} // namespace jet
