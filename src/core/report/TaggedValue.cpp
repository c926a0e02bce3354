#include "TaggedValue.h"

QString TaggedValue::toText() const
{
    if (const auto* integer = std::get_if<std::int16_t>(&m_value))
        return QString::number(*integer);
    if (const auto* text = std::get_if<QString>(&m_value))
        return *text;
    return {};
}

std::int16_t TaggedValue::toInteger() const
{
    if (const auto* integer = std::get_if<std::int16_t>(&m_value))
        return *integer;
    if (const auto* text = std::get_if<QString>(&m_value))
        return text->toShort();
    return 0;
}
