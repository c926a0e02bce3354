#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

struct InsertStatement
{
    std::string table; // as written, brackets removed
    std::size_t tablePosition = 0;
    std::vector<std::u16string> values;      // apostrophes undoubled
    std::vector<std::size_t> valuePositions; // of each opening apostrophe
};

// Parses the one statement the writer understands:
//   INSERT INTO <table> VALUES ('...', '...', ...) [;]
// Keywords are case-insensitive, whitespace (space, tab, newline, CR, FF, VT) may surround
// every token, the table is bare (letters, digits, _) or in brackets, values are in single
// quotes with '' standing for one apostrophe. Positions are 1-based, in characters (code
// points) of the statement; errors are thrown as Error "INSERT INTO: <problem> at position N".
class InsertParser
{
public:
    explicit InsertParser(std::string_view sql) : sql_(sql) {}

    InsertStatement parse();
    std::size_t position(std::size_t byteOffset) const;

private:
    [[noreturn]] void fail(const std::string& problem, std::size_t byteOffset) const;
    void skipSpace();
    std::string_view word();
    std::string found() const;
    void expectKeyword(std::string_view keyword);
    void expectCharacter(char c, std::string_view what);
    std::u16string quotedValue();

    std::string_view sql_;
    std::size_t at_ = 0;
};

// Text from a statement or a name, fit for a message: control characters (a NUL would end the
// message early) are written as \xNN.
std::string printable(std::string_view text);

} // namespace jet
