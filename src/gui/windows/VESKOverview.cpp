#include "VESKOverview.h"

#include "SvgPicture.h"

#include <QPushButton>

VESKOverview::VESKOverview()
    : Form(QStringLiteral("VESKOverview"), QStringLiteral("VESK Overview"), QSize(10935, 6660))
{
    Image1 = new SvgPicture(QStringLiteral(":/pictures/overview.svg"), SvgPicture::Scaling::Stretch,
                            this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Overview of the VESK method"));
    Image1->setAccessibleDescription(Image1->drawnWords());
    place(Image1, 0, 0, 9030, 6720);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Exit"), {9000, 0, 1935, 855},
                         designFont(QStringLiteral("Comic Sans MS"), 12));
    connect(Command1, &QPushButton::clicked, this, &VESKOverview::Command1_Click);
}

void VESKOverview::Command1_Click()
{
    hide();
}
