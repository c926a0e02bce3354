#pragma once
// The caution statement: the first window of every run, and shown again after each successful
// View Results before the results. It only announces what the person pressed.

#include "Form.h"

class QLabel;
class QPushButton;

class CautionStatement : public Form
{
    Q_OBJECT

public:
    CautionStatement();

    void Command1_Click(); // "Accept"
    void Command2_Click(); // "Exit "

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1;
    QPushButton* Command2;

signals:
    void acceptRequested();
    void exitRequested();

protected:
    void titleBarClose() override { emit closeRequested(); }
};
