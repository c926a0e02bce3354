#pragma once
// The results worksheet: every score of the last computation in its box on the worksheet
// picture. View Results fills the labels before the window is first shown.

#include "Form.h"

struct Scores;
class QLabel;
class QPushButton;
class SvgPicture;

class VESKResults : public Form
{
    Q_OBJECT

public:
    VESKResults();

    void Command1_Click(); // "&Risk Levels >>"
    void Command2_Click(); // "<< &Back"
    void Command8_Click(); // "&Exit"
    void Command3_Click(); // "&Print..."

    // Shows every score in its box.
    void showScores(const Scores& scores);
    // Beside the title, each side's final score and risk level word in the saved assessment the
    // run started from and now ("before: 11 Very High, now: 7 Medium"); nothing when both are
    // empty.
    void showEarlier(const QString& left, const QString& right);

    // One of the value labels Label5 to Label26.
    QLabel* valueLabel(const QString& name) const;

    QLabel* Label1;
    QLabel* Label27;
    SvgPicture* Image1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command8;
    QPushButton* Command3;

signals:
    void riskLevelsRequested();
    void backRequested();
    void exitRequested();
    void printRequested();

protected:
    void titleBarClose() override { emit closeRequested(); }
};
