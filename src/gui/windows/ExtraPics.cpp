#include "ExtraPics.h"

#include "PictureBox.h"

#include <QLabel>
#include <QPushButton>

ExtraPics::ExtraPics() : Form(QStringLiteral("ExtraPics"), QStringLiteral("Form1"), {15270, 11025})
{
    const QString comic = QStringLiteral("Comic Sans MS");
    Label37 = addLabel(QStringLiteral("Label37"), QStringLiteral("Extra Picture Files"),
                       {2160, 120, 9735, 1455}, designFont(comic, 48, true));
    setTextColour(Label37, DarkBlue);

    const int lefts[SlotCount] = {120, 3840, 7560, 11280};
    PictureBox** members[SlotCount] = {&Picture1, &Picture2, &Picture3, &Picture4};
    for (int i = 0; i < SlotCount; ++i) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
        box->setAccessibleName(QStringLiteral("Extra picture %1").arg(i + 1));
        place(box, lefts[i], 2280, 3495, 5535);
        box->hide();
        *members[i] = box;
        m_slots[std::size_t(i)] = box;
    }

    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Close"),
                         {10920, 9120, 2295, 855}, designFont(comic, 12));
    connect(Command1, &QPushButton::clicked, this, &ExtraPics::Command1_Click);
}

FitResult ExtraPics::showPicture(int index, const QImage& picture, QSizeF pictureSize)
{
    PictureBox& box = *m_slots.at(std::size_t(index));
    box.show();
    return box.paintFitted(picture, pictureSize);
}

QSize ExtraPics::pictureSize() const
{
    return Picture1->deviceSize();
}

void ExtraPics::Command1_Click()
{
    hide();
}
