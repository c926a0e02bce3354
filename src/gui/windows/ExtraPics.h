#pragma once
// The extra picture viewer: up to four further pictures of the task, side by side. A box
// appears once a picture has been loaded into it and keeps it while the viewer is hidden.

#include "FitAndCentre.h"
#include "Form.h"

#include <array>

class PictureBox;
class QImage;
class QLabel;
class QPushButton;

class ExtraPics : public Form
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 4;

    ExtraPics();

    // Shows extra picture number `index` in its box, fitted and centred.
    FitResult showPicture(int index, const QImage& picture, QSizeF pictureSize);
    // The size in device pixels each extra picture is shown at.
    QSize pictureSize() const;

    void Command1_Click();

    QLabel* Label37;
    PictureBox* Picture1;
    PictureBox* Picture2;
    PictureBox* Picture3;
    PictureBox* Picture4;
    QPushButton* Command1;

private:
    std::array<PictureBox*, SlotCount> m_slots{};
};
