#pragma once
// The results worksheet: every score of the last computation in its box on the worksheet
// picture. View Results fills the labels before the window is first shown.

#include "Form.h"

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

    // Shows every score of the last computation in its box.
    void showScores();

    // One of the value labels Label5 to Label26.
    QLabel* valueLabel(const QString& name) const;

    QLabel* Label1;
    SvgPicture* Image1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command8;
    QPushButton* Command3;

    // Designed positions of the value labels (twips: left, top, width, height).
    struct ValueLabelSpec
    {
        const char* name;
        QRect twips;
    };
    static const std::array<ValueLabelSpec, 22> ValueLabels;
    static constexpr QRect WorksheetTwips{120, 1560, 14775, 7935};

protected:
    void titleBarClose() override;
};
