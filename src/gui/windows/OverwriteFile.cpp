#include "OverwriteFile.h"

#include "Platform.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

OverwriteFile::OverwriteFile()
    : Form(QStringLiteral("OverwriteFile"), QStringLiteral("Overwrite File"), QSize(6150, 4455))
{
    const QString arial = QStringLiteral("Arial");
    Label84 = addLabel(QStringLiteral("Label84"),
                       QStringLiteral("File already exists. Do  you wish to overwrite      the "
                                      "existing file?"),
                       {240, 480, 5535, 2175}, designFont(arial, 24, true));
    Label84->setTextFormat(Qt::PlainText);
    setTextColour(Label84, DarkBlue);
    // Below the question, the files the answer is about.
    Label1 =
        addLabel(QStringLiteral("Label1"), QString(), {240, 2700, 5535, 600}, designFont(arial, 9));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);

    const QFont buttonFont = designFont(arial, 12, true);
    Command3 = addButton(QStringLiteral("Command3"), QStringLiteral("&Overwrite"),
                         {1200, 3360, 1815, 735}, buttonFont);
    Command5 = addButton(QStringLiteral("Command5"), QStringLiteral("&New Filename"),
                         {3240, 3360, 1815, 735}, buttonFont);
    setTabOrder(Command3, Command5);
    setAccessibleRole(this, QAccessible::Dialog);
    // Enter keeps the files: the button it presses is "New Filename".
    Command5->setDefault(true);
    Command5->setFocus();
    keepDesignedSize();

    connect(Command3, &QPushButton::clicked, this, &OverwriteFile::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &OverwriteFile::Command5_Click);
}

void OverwriteFile::showEvent(QShowEvent* event)
{
    // Both windows are centred by default, and this one is the larger: it would hide the save
    // dialog whole. It goes beside the dialog where the screen has room, else half-way down it.
    if (m_dialog && m_dialog->isVisible()) {
        const QRect dialog = m_dialog->frameGeometry();
        const QRect screen = m_dialog->screen()->availableGeometry();
        const QSize own = frameGeometry().size();
        constexpr int Gap = 8;
        const QPoint candidates[] = {
            {dialog.right() + Gap, dialog.top()},
            {dialog.left() - Gap - own.width(), dialog.top()},
        };
        QPoint place = dialog.center();
        place.setX(std::clamp(place.x(), screen.left(), screen.right() - own.width()));
        place.setY(std::clamp(place.y(), screen.top(), screen.bottom() - own.height()));
        for (const QPoint& candidate : candidates) {
            if (screen.contains(QRect(candidate, own))) {
                place = candidate;
                break;
            }
        }
        move(place);
    }
    Command5->setFocus();
    Form::showEvent(event);
}

void OverwriteFile::Command3_Click()
{
    emit overwriteRequested();
}

void OverwriteFile::Command5_Click()
{
    platform::messageBox(QStringLiteral("Please select another file name"));
    emit newFilenameRequested();
    hide();
}

void OverwriteFile::showFiles(const QStringList& names)
{
    Label1->setText(QStringLiteral("It would replace: %1").arg(names.join(QStringLiteral(", "))));
}
