#pragma once
// Employee details: who is being assessed. Shown once, after the first Accept of the caution
// statement; Continue announces the three texts as typed.

#include "Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class EmployeeDetails : public Form
{
    Q_OBJECT

public:
    // The database column width: no longer text could be saved.
    static constexpr int MaxTextLength = 200;

    EmployeeDetails();

    void Command1_Click(); // "&Continue"
    void Command2_Click(); // "&Exit"
    void Text3_KeyPress(std::int16_t keyAscii);

    // The name as typed, apostrophes and all.
    QString typedName() const;
    // Whether anything has been typed into the boxes.
    bool hasTypedText() const;
    // Puts the three texts into their boxes, as if typed.
    void fillIn(const QString& name, const QString& idNumber, const QString& location);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QPushButton* Command1;
    QPushButton* Command2;

signals:
    // The three texts as typed, apostrophes and all.
    void continueRequested(const QString& name, const QString& idNumber, const QString& location);
    void exitRequested();

protected:
    void titleBarClose() override { emit closeRequested(); }
};
