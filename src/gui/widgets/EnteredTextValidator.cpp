#include "EnteredTextValidator.h"

#include "EnteredText.h"

#include <QLineEdit>

EnteredTextValidator::EnteredTextValidator(qsizetype maxUnits, QObject* parent)
    : QValidator(parent), maxUnits_(maxUnits)
{
}

QValidator::State EnteredTextValidator::validate(QString& input, int& pos) const
{
    const QString clean = cleanEnteredText(input, maxUnits_);
    if (clean != input) {
        // The cursor stays after what was typed or pasted: count what survives before it.
        const qsizetype keptBefore = cleanEnteredText(input.left(pos), maxUnits_).size();
        input = clean;
        pos = int(qMin(keptBefore, clean.size()));
    }
    return Acceptable;
}

void EnteredTextValidator::fixup(QString& input) const
{
    input = cleanEnteredText(input, maxUnits_);
}

void EnteredTextValidator::install(QLineEdit* box, qsizetype maxUnits)
{
    box->setValidator(new EnteredTextValidator(maxUnits, box));
}
