#include "VESKResults.h"

#include "SvgPicture.h"
#include "Worksheet.h"

#include <QLabel>
#include <QPushButton>

VESKResults::VESKResults()
    : Form(QStringLiteral("VESKResults"), QStringLiteral("Results - VESK"), QSize(15270, 11145))
{
    const QString comic = QStringLiteral("Comic Sans MS");
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("VESK - Results"),
                      {2160, 240, 5775, 1095}, designFont(comic, 36, true));
    setTextColour(Label1, DarkBlue);

    // Not part of the designed window: the change since a saved assessment, in the free space
    // beside the title.
    Label27 = addLabel(QStringLiteral("Label27"), QString(), {8160, 240, 6735, 1215},
                       designFont(QStringLiteral("Arial"), 11, true));
    setTextColour(Label27, DarkBlue);
    Label27->setWordWrap(true);
    Label27->hide();

    using worksheet::PictureTwips;
    Image1 = new SvgPicture(QString::fromLatin1(worksheet::PictureResource),
                            SvgPicture::Scaling::Stretch, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("VESK scoring worksheet"));
    place(Image1, PictureTwips.x(), PictureTwips.y(), PictureTwips.width(), PictureTwips.height());

    const QFont valueFont = designFont(comic, 18, true);
    for (const worksheet::ValueBox& design : worksheet::ValueBoxes) {
        QLabel* label =
            addLabel(QString::fromLatin1(design.label), QString(), design.twips, valueFont);
        setAccessibleCaption(label, QString::fromLatin1(design.name));
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, vbColor(Highlight));
        palette.setColor(QPalette::Window, vbColor(WindowBackground));
        label->setPalette(palette);
    }

    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("<< &Back"),
                         {5760, 9720, 3015, 975}, designFont(comic, 12));
    Command8 = addButton(QStringLiteral("Command8"), QStringLiteral("&Exit"),
                         {8880, 9720, 3015, 975}, designFont(QStringLiteral("Arial"), 12, true));
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Risk Levels >>"),
                         {12000, 9720, 3015, 975}, designFont(comic, 12));
    // Printing is not part of the designed window: it takes the free corner at the lower left,
    // in the system's own button style.
    Command3 = addButton(QStringLiteral("Command3"), QStringLiteral("&Print..."),
                         {120, 9720, 3015, 975}, QFont());
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command8);
    setTabOrder(Command8, Command3);

    connect(Command1, &QPushButton::clicked, this, &VESKResults::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &VESKResults::Command2_Click);
    connect(Command8, &QPushButton::clicked, this, &VESKResults::Command8_Click);
    connect(Command3, &QPushButton::clicked, this, &VESKResults::Command3_Click);
    setWindowState(Qt::WindowMaximized);
}

QLabel* VESKResults::valueLabel(const QString& name) const
{
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void VESKResults::showScores(const Scores& scores)
{
    for (const worksheet::ValueBox& box : worksheet::ValueBoxes)
        valueLabel(QString::fromLatin1(box.label))->setText(QString::number(scores.*box.score));
}

void VESKResults::showEarlier(const QString& left, const QString& right)
{
    Label27->setText(QStringLiteral("Since the saved assessment:\nLeft hand side \u2013 %1\nRight "
                                    "hand side \u2013 %2")
                         .arg(left, right));
    Label27->setVisible(!left.isEmpty() || !right.isEmpty());
}

void VESKResults::Command1_Click()
{
    emit riskLevelsRequested();
}

void VESKResults::Command2_Click()
{
    emit backRequested();
}

void VESKResults::Command8_Click()
{
    emit exitRequested();
}

void VESKResults::Command3_Click()
{
    emit printRequested();
}
