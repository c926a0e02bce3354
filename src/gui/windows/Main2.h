#pragma once
// The posture selection window: five tabs of drawings, one frame per option, built from the
// option table. It shows an assessment (the frames of the chosen drawings red, each region's
// score beside them) and announces what the person clicked; it holds no choice itself.

#include "FitAndCentre.h"
#include "Form.h"
#include "OptionTable.h"

#include <array>

class Assessment;
class OptionFrame;
class PictureBox;
class QImage;
class QLabel;
class QPushButton;
class QTabWidget;

class Main2 : public Form
{
    Q_OBJECT

public:
    Main2();

    void Command1_Click(); // "Load &Extra Pictures"
    void Command2_Click(); // "View &Results"
    void Command3_Click(); // "&Load Picture"
    void Command4_Click(); // "View Extra &Pictures"
    void Command5_Click(); // "Play &Video"
    void Command6_Click(); // "  VESK &Overview"
    void Command8_Click(); // "&Exit"
    void cmdMeasure_Click();

    // Shows the assessment: the frames of its chosen drawings red, the others plain, and the
    // score of every region in which a drawing has been chosen since the window was made.
    void showAssessment(const Assessment& assessment);

    // The task picture chosen in the picture chooser, painted fitted and centred into Picture1.
    // Open (`reveal`) shows the box; Exit leaves it as it is, hidden before the first Open.
    FitResult showTaskPicture(const QImage& picture, QSizeF pictureSize, bool reveal);
    // The size in device pixels the task picture is shown at.
    QSize taskPictureSize() const;

    // Brings the tab of `region` to the front, with the focus on its first drawing.
    void showRegion(Region region);

    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command8;
    // Measures the posture on the task picture; there once the task picture is shown.
    QPushButton* cmdMeasure;
    PictureBox* Picture1;
    QTabWidget* SSTab2;

signals:
    // The drawing of option `option` (an index into Options) was clicked.
    void drawingClicked(int option);
    void viewResultsRequested();
    void loadPictureRequested();
    void loadExtraPicturesRequested();
    void viewExtraPicturesRequested();
    void playVideoRequested();
    void overviewRequested();
    void measurePictureRequested();
    void exitRequested();

protected:
    void titleBarClose() override { emit closeRequested(); }

private:
    void Form_Load();
    void buildTab(int tab, const QString& headingName, const QString& heading);
    void fitTabCaptions();
    void addTabKeys();
    void showTabFromKeyboard(int tab);
    void focusFirstDrawing();
    QRect onTab(const TwipsRect& twips) const;
    void placeOnTab(QWidget* child, const TwipsRect& twips) const;

    std::array<OptionFrame*, OptionCount> m_frames{};
    std::array<QLabel*, RegionCount> m_valueLabels{};
    // A region's score is shown from the first time one of its drawings is chosen.
    std::array<bool, RegionCount> m_scoreShown{};
    int m_tabBarHeight = 0;
};
