#include "Save.h"

#include "DriveChange.h"
#include "DriveList.h"
#include "EnteredText.h"
#include "FolderList.h"
#include "Platform.h"
#include "TypedPath.h"

#include <QDir>
#include <QFileInfo>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr quint32 LightGrey = 0xC0C0C0;
const QString ReportSuffix = QStringLiteral(" VESK Analysis.txt");

} // namespace

Save::Save(const QString& name, TaggedValue& lastDriveIndex, const QString& startFolder)
    : Form(QStringLiteral("Save"), QStringLiteral("Save"), QSize(5550, 4395)),
      m_lastDriveIndex(lastDriveIndex)
{
    const QString arial = QStringLiteral("Arial");
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, vbColor(LightGrey));
    setPalette(grey);

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setFont(designFont(arial, 8.25));
    place(Drive1, 480, 120, 3135, 330);
    Dir1 = new FolderList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setFont(designFont(arial, 8.25));
    place(Dir1, 480, 600, 3135, 2730);
    Dir1->setListedFiles(ReportSuffix);
    Drive1->setAccessibleName(QStringLiteral("Drive"));
    Dir1->setAccessibleName(QStringLiteral("Folders and saved reports"));
    setAccessibleRole(this, QAccessible::Dialog);

    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Name:"), {480, 3720, 735, 495},
                      designFont(arial, 12, true));
    Label1->setWordWrap(false);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(designFont(arial, 12));
    place(Text1, 1320, 3600, 2295, 495);
    onEnterKey(Text1, [this](std::int16_t key) { Text1_KeyPress(key); });
    Label1->setBuddy(Text1);

    const QFont buttonFont = designFont(arial, 12, true);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Save"),
                         {3840, 1440, 1575, 615}, buttonFont);
    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("&Exit"),
                         {3840, 3120, 1575, 615}, buttonFont);

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Drive1);
    setTabOrder(Drive1, Dir1);
    Text1->setFocus();

    startIn(*Drive1, *Dir1, startFolder);

    keepDesignedSize();

    connect(Drive1, &DriveList::Change, this, &Save::Drive1_Change);
    connect(Dir1, &FolderList::Click, this, &Save::Dir1_Click);
    connect(Command1, &QPushButton::clicked, this, &Save::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Save::Command2_Click);
    Text1->setText(name);
}

void Save::clearName()
{
    Text1->clear();
}

void Save::Drive1_Change()
{
    changeDrive(*Drive1, *Dir1, m_lastDriveIndex);
}

void Save::Dir1_Click()
{
    // A single click opens the folder; a report gives its name, to be replaced or changed.
    const QString report = Dir1->clickedFile();
    if (!report.isEmpty()) {
        Text1->setText(report.chopped(ReportSuffix.size()));
        Text1->setFocus();
        return;
    }
    Dir1->setPath(Dir1->clickedPath());
}

bool Save::followTypedPath()
{
    if (!looksLikePath(Text1->text()))
        return true;
    QString path = typedPath(Text1->text(), Dir1->Path());
    if (path.endsWith(ReportSuffix, Qt::CaseInsensitive))
        path.chop(ReportSuffix.size());
    const QFileInfo typed(path);
    if (typed.isDir()) {
        if (goToFolder(*Drive1, *Dir1, path))
            Text1->clear();
        return false;
    }
    if (!goToFolder(*Drive1, *Dir1, typed.absolutePath())) {
        platform::messageBox(QStringLiteral("There is no folder \"%1\". Please choose another "
                                            "folder.")
                                 .arg(QDir::toNativeSeparators(typed.absolutePath())));
        return false;
    }
    Text1->setText(typed.fileName());
    return true;
}

void Save::Text1_KeyPress(std::int16_t keyAscii)
{
    if (keyAscii == 13)
        Command1_Click();
}

void Save::Command1_Click()
{
    Text1->setFocus();
    if (!followTypedPath())
        return;
    // A line break or tab in a file name makes files nobody can type the name of.
    if (cleanEnteredText(Text1->text(), Text1->text().size()) != Text1->text()) {
        platform::messageBox(QStringLiteral("A file name cannot contain line breaks, tabs or other "
                                            "control characters. Please type another name."));
        return;
    }
    emit saveRequested(Dir1->Path(), Text1->text());
}

void Save::Command2_Click()
{
    Text1->setFocus();
    hide();
}
