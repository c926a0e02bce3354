#pragma once
// The posture selection window: five tabs of drawings, one frame per option, built from the
// option table. A click on a drawing applies the region's click rule, highlights frames and
// shows the region's score; View Results validates, computes and hands over to the results.

#include "FitAndCentre.h"
#include "Form.h"
#include "OptionTable.h"

#include <array>

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

    // The click on drawing `option` (an index into Options).
    void drawingClick(int option);
    // Clicks, in table order, every drawing whose highlight differs from `chosen`: on a window
    // where nothing is chosen yet, exactly the given options end up chosen, with their scores.
    void chooseOptions(const std::array<bool, 45>& chosen);

    // The task picture chosen in the picture chooser, painted fitted and centred into Picture1.
    // Open (`reveal`) shows the box; Exit leaves it as it is, hidden before the first Open.
    FitResult showTaskPicture(const QImage& picture, QSizeF pictureSize, bool reveal);
    // The size in device pixels the task picture is shown at.
    QSize taskPictureSize() const;

    OptionFrame* frame(int option) const { return m_frames[option]; }
    // Whether each option's frame carries the highlight, in table order.
    std::array<bool, 45> highlightedOptions() const;

    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command8;
    PictureBox* Picture1;
    QTabWidget* SSTab2;

protected:
    void titleBarClose() override;

private:
    void Form_Load();
    void buildTab(int tab, const QString& headingName, const QString& heading);
    void fitTabCaptions();
    void addTabKeys();
    void showTabFromKeyboard(int tab);
    void focusFirstDrawing();
    void placeOnTab(QWidget* child, const TwipsRect& twips) const;
    bool regionFilled(Region region) const;
    void showScore(Region region);

    std::array<OptionFrame*, 45> m_frames{};
    std::array<QLabel*, RegionCount> m_valueLabels{};
    int m_tabBarHeight = 0;
};
