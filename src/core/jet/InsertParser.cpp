#include "InsertParser.h"

#include "Error.h"
#include "Utf8.h"

namespace jet {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isWordCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool equalsKeyword(std::string_view text, std::string_view keyword)
{
    if (text.size() != keyword.size())
        return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const char upper = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        if (upper != keyword[k])
            return false;
    }
    return true;
}

} // namespace

std::string printable(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::size_t InsertParser::position(std::size_t byteOffset) const
{
    return utf8::characterPosition(sql_, byteOffset);
}

void InsertParser::fail(const std::string& problem, std::size_t byteOffset) const
{
    throw Error("INSERT INTO: " + problem + " at position " + std::to_string(position(byteOffset)));
}

void InsertParser::skipSpace()
{
    while (at_ < sql_.size() && isSpace(sql_[at_]))
        ++at_;
}

std::string_view InsertParser::word()
{
    const std::size_t start = at_;
    while (at_ < sql_.size() && isWordCharacter(sql_[at_]))
        ++at_;
    return sql_.substr(start, at_ - start);
}

// What stands at the current position, for error messages.
std::string InsertParser::found() const
{
    if (at_ >= sql_.size())
        return "the end of the statement";
    std::size_t end = at_;
    while (end < sql_.size() && isWordCharacter(sql_[end]) && end - at_ < 40)
        ++end;
    if (end == at_) {
        end = at_ + 1;
        while (end < sql_.size() && (static_cast<unsigned char>(sql_[end]) & 0xC0) == 0x80)
            ++end;
    }
    std::string quoted(1, '\'');
    quoted += printable(sql_.substr(at_, end - at_));
    quoted += '\'';
    return quoted;
}

void InsertParser::expectKeyword(std::string_view keyword)
{
    skipSpace();
    const std::size_t start = at_;
    if (!equalsKeyword(word(), keyword)) {
        at_ = start;
        fail("expected keyword " + std::string(keyword) + " but found " + found(), start);
    }
}

void InsertParser::expectCharacter(char c, std::string_view what)
{
    skipSpace();
    if (at_ >= sql_.size() || sql_[at_] != c)
        fail("expected " + std::string(what) + " but found " + found(), at_);
    ++at_;
}

std::u16string InsertParser::quotedValue()
{
    const std::size_t start = at_;
    ++at_; // opening apostrophe
    std::string value;
    for (;;) {
        const std::size_t quote = sql_.find('\'', at_);
        if (quote == std::string_view::npos)
            fail("unterminated quoted value (no closing apostrophe) starting", start);
        value.append(sql_.substr(at_, quote - at_));
        at_ = quote + 1;
        if (at_ < sql_.size() && sql_[at_] == '\'') {
            value.push_back('\'');
            ++at_;
            continue;
        }
        return utf8::toUtf16(value);
    }
}

InsertStatement InsertParser::parse()
{
    if (const std::size_t bad = utf8::findInvalid(sql_); bad != std::string_view::npos)
        fail("invalid UTF-8", bad);
    InsertStatement statement;
    expectKeyword("INSERT");
    expectKeyword("INTO");

    skipSpace();
    statement.tablePosition = position(at_);
    if (at_ < sql_.size() && sql_[at_] == '[') {
        const std::size_t close = sql_.find(']', at_);
        if (close == std::string_view::npos)
            fail("unterminated [table name] starting", at_);
        statement.table = std::string(sql_.substr(at_ + 1, close - at_ - 1));
        if (statement.table.empty())
            fail("empty table name []", at_);
        at_ = close + 1;
    } else {
        statement.table = std::string(word());
        if (statement.table.empty())
            fail("expected a table name but found " + found(), at_);
    }

    expectKeyword("VALUES");
    expectCharacter('(', "'(' before the values");
    for (;;) {
        skipSpace();
        if (at_ >= sql_.size() || sql_[at_] != '\'')
            fail("expected a value in single quotes but found " + found(), at_);
        statement.valuePositions.push_back(position(at_));
        statement.values.push_back(quotedValue());
        skipSpace();
        if (at_ < sql_.size() && sql_[at_] == ',') {
            ++at_;
            continue;
        }
        if (at_ < sql_.size() && sql_[at_] == ')') {
            ++at_;
            break;
        }
        fail("expected ',' or ')' after value " + std::to_string(statement.values.size()) +
                 " but found " + found(),
             at_);
    }
    skipSpace();
    if (at_ < sql_.size() && sql_[at_] == ';') {
        ++at_;
        skipSpace();
    }
    if (at_ < sql_.size())
        fail("unexpected text " + found() + " after the statement", at_);
    return statement;
}

} // namespace jet
