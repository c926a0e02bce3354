#include "OverwriteFile.h"

#include "Forms.h"
#include "Platform.h"
#include "Save.h"
#include "WriteReportFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

    const QFont buttonFont = designFont(arial, 12, true);
    Command3 = addButton(QStringLiteral("Command3"), QStringLiteral("&Overwrite"),
                         {1200, 3360, 1815, 735}, buttonFont);
    Command5 = addButton(QStringLiteral("Command5"), QStringLiteral("&New Filename"),
                         {3240, 3360, 1815, 735}, buttonFont);
    setTabOrder(Command3, Command5);
    Command3->setFocus();

    connect(Command3, &QPushButton::clicked, this, &OverwriteFile::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &OverwriteFile::Command5_Click);
}

void OverwriteFile::Command3_Click()
{
    // The name and folder of the last Save, not what the dialog shows now.
    if (!WriteReportFiles())
        hide(); // back to the save dialog to choose another folder or name
}

void OverwriteFile::Command5_Click()
{
    platform::messageBox(QStringLiteral("Please select another file name"));
    Forms::get<Save>().clearName();
    Command3->setFocus();
    hide();
}
