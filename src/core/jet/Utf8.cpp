#include "Utf8.h"

#include <cstdint>

namespace jet::utf8 {
namespace {

struct Decoded
{
    char32_t codePoint = 0;
    std::size_t length = 0; // 0 = invalid sequence
};

Decoded decodeOne(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return std::uint8_t(text[at + k]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size())
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return {};
        value = (value << 6) | (byte(k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {};
    return {value, length};
}

} // namespace

std::size_t findInvalid(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decodeOne(text, at);
        if (decoded.length == 0)
            return at;
        at += decoded.length;
    }
    return std::string_view::npos;
}

std::u16string toUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decodeOne(text, at);
        if (decoded.length == 0) {
            out.push_back(u'\uFFFD');
            ++at;
            continue;
        }
        at += decoded.length;
        if (decoded.codePoint < 0x10000) {
            out.push_back(char16_t(decoded.codePoint));
        } else {
            const char32_t offset = decoded.codePoint - 0x10000;
            out.push_back(char16_t(0xD800 + (offset >> 10)));
            out.push_back(char16_t(0xDC00 + (offset & 0x3FF)));
        }
    }
    return out;
}

} // namespace jet::utf8
