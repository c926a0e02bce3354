#include "Windows1252.h"

#include "BestFit1252.h"

#include <QList>

#include <algorithm>
#include <array>

namespace {

// Unicode code points of the bytes 0x80-0x9F. Windows maps the five unassigned bytes to the C1
// control characters of the same value, so those round-trip too.
constexpr std::array<char16_t, 32> HighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encode(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    // Outside the code page: the close character Windows writes, else "?".
    const auto fit = std::lower_bound(
        BestFit1252.begin(), BestFit1252.end(), codePoint,
        [](const BestFit& entry, char32_t wanted) { return entry.codePoint < wanted; });
    if (fit != BestFit1252.end() && fit->codePoint == codePoint)
        return static_cast<char>(fit->byte);
    return '?';
}

} // namespace

std::string toWindows1252(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4())
        out.push_back(encode(codePoint));
    return out;
}

QString asWrittenInWindows1252(const QString& text)
{
    return fromWindows1252(toWindows1252(text));
}

QString fromWindows1252(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(code >= 0x80 && code < 0xA0 ? QChar(HighControls[code - 0x80]) : QChar(code));
    }
    return text;
}
