#pragma once
// The risk level window: the risk level word of each side, help on reduction measures, saving.

#include "Form.h"

class CommonDialog;
class QLabel;
class QPushButton;

class VESKRiskLevel : public Form
{
    Q_OBJECT

public:
    VESKRiskLevel();

    void Command1_Click(); // "&Exit"
    void Command2_Click(); // "<< &Back"
    void Command3_Click(); // "&Reduction Measures"
    void Command7_Click(); // "&Save"
    void Form_MouseMove();

    // Shows the risk level word of each side.
    void showRiskLevels(const QString& left, const QString& right);
    // Under each side's word, its final score and risk level word in the saved assessment the
    // run started from and now ("before: 11 Very High, now: 7 Medium"); empty for none.
    void showEarlier(const QString& left, const QString& right);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command7;
    CommonDialog* CommonDialog1;

signals:
    void exitRequested();
    void backRequested();
    void saveRequested();
    // The window went out of sight (Back, or minimised): a save belongs to the risk levels on
    // screen, so whatever was saving goes too.
    void hidden();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void titleBarClose() override { emit closeRequested(); }
};
