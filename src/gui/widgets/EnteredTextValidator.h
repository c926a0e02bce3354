#pragma once
// Cleans what is typed or pasted into a one-line text box as it enters (cleanEnteredText), and
// keeps the box within its length without cutting a character in two. Use it instead of
// QLineEdit::setMaxLength, which counts UTF-16 units and may keep half of a character.

#include <QValidator>

class QLineEdit;

class EnteredTextValidator : public QValidator
{
public:
    EnteredTextValidator(qsizetype maxUnits, QObject* parent);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

    // Gives `box` a validator of this kind for texts of at most `maxUnits` UTF-16 units.
    static void install(QLineEdit* box, qsizetype maxUnits);

private:
    qsizetype maxUnits_;
};
