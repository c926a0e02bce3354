#include "EnteredText.h"

namespace {

bool isControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

} // namespace

QString cleanEnteredText(const QString& text, qsizetype maxUnits)
{
    QString clean;
    clean.reserve(text.size());
    bool pendingBlank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (isControl(unit)) {
            pendingBlank = true;
            continue;
        }
        if (unit == 0xFEFF)
            continue;
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                          QChar::isLowSurrogate(text[i + 1].unicode());
        if (QChar::isSurrogate(unit) && !pair)
            continue;
        if (pendingBlank) {
            clean += QLatin1Char(' ');
            pendingBlank = false;
        }
        clean += text[i];
        if (pair)
            clean += text[++i];
    }
    if (clean.size() > maxUnits) {
        qsizetype cut = maxUnits;
        if (cut > 0 && QChar::isHighSurrogate(clean[cut - 1].unicode()))
            --cut;
        clean.truncate(cut);
    }
    return clean;
}
