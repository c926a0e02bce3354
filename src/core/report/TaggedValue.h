#pragma once
// A value that is either empty (never set), a 16-bit signed integer or a text: the kind of value
// the report table, the employee texts and the remembered drive position hold.

#include <QString>

#include <cstdint>
#include <variant>

class TaggedValue
{
public:
    TaggedValue() = default;
    TaggedValue(std::int16_t integer) : m_value(integer) {}
    TaggedValue(const QString& text) : m_value(text) {}
    TaggedValue(const char* text) : m_value(QString::fromUtf8(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isInteger() const { return std::holds_alternative<std::int16_t>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }

    // An empty value reads as the empty text, an integer as its decimal digits.
    QString toText() const;
    // An empty value reads as 0; a text is read as a decimal number, 0 when it is not one.
    std::int16_t toInteger() const;

    friend bool operator==(const TaggedValue&, const TaggedValue&) = default;

private:
    std::variant<std::monostate, std::int16_t, QString> m_value;
};
