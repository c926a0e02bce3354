#include "PictureChooser.h"

#include "DriveChange.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "Platform.h"
#include "TypedPath.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

PictureChooser::PictureChooser(const QString& name, const Layout& layout,
                               TaggedValue& lastDriveIndex, const QString& startFolder)
    : Form(name, QStringLiteral("Open Picture File"), layout.client),
      m_lastDriveIndex(lastDriveIndex)
{
    const QFont font = designFont(QStringLiteral("Comic Sans MS"), 12);
    auto placeAt = [this](QWidget* widget, const QRect& twips) {
        place(widget, twips.x(), twips.y(), twips.width(), twips.height());
    };

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    placeAt(Drive1, layout.drive);
    Dir1 = new FolderList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    placeAt(Dir1, layout.folder);
    File1 = new FileList(this);
    File1->setObjectName(QStringLiteral("File1"));
    placeAt(File1, layout.file);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(font);
    placeAt(Text1, layout.text);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Exit"), layout.exit, font);
    cmdOpen = addButton(QStringLiteral("cmdOpen"), QStringLiteral("&Open"), layout.open, font);
    Drive1->setAccessibleName(QStringLiteral("Drive"));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    File1->setAccessibleName(QStringLiteral("Files"));
    Text1->setAccessibleName(QStringLiteral("Path"));
    Text1->setAccessibleDescription(
        QStringLiteral("The picture chosen; type the path of a picture to open or of a folder to "
                       "go to, and press Enter"));
    setAccessibleRole(this, QAccessible::Dialog);
    onEnterKey(Text1, [this](std::int16_t) { cmdOpen_Click(); });

    setTabOrder(Text1, cmdOpen);
    setTabOrder(cmdOpen, Command1);
    setTabOrder(Command1, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    Text1->setFocus();

    startIn(*Drive1, *Dir1, startFolder);
    File1->setPath(Dir1->Path());

    connect(Drive1, &DriveList::Change, this, &PictureChooser::Drive1_Change);
    connect(Dir1, &FolderList::Change, this, &PictureChooser::Dir1_Change);
    connect(File1, &FileList::Click, this, &PictureChooser::File1_Click);
    connect(File1, &FileList::DblClick, this, &PictureChooser::File1_DblClick);
    connect(cmdOpen, &QPushButton::clicked, this, &PictureChooser::cmdOpen_Click);
    connect(Command1, &QPushButton::clicked, this, &PictureChooser::Command1_Click);
}

void PictureChooser::Drive1_Change()
{
    changeDrive(*Drive1, *Dir1, m_lastDriveIndex);
}

void PictureChooser::Dir1_Change()
{
    File1->setPath(Dir1->Path());
    Text1->setText(QDir::toNativeSeparators(File1->Path()));
}

void PictureChooser::File1_Click()
{
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    // The separator is always added, also after a root ("//name" still opens).
    Text1->setText(QDir::toNativeSeparators(File1->Path()) + QDir::separator() + name);
    emit fileChosen(Text1->text());
}

void PictureChooser::File1_DblClick()
{
    // The first click of the double click has already chosen the file.
    cmdOpen_Click();
}

void PictureChooser::cmdOpen_Click()
{
    // A path typed into the box counts over what the lists showed before.
    if (Text1->isModified() && !Text1->text().trimmed().isEmpty() && !useTypedPath())
        return;
    emit openRequested();
}

bool PictureChooser::useTypedPath()
{
    const QString path = typedPath(Text1->text(), File1->Path());
    const QFileInfo typed(path);
    if (!typed.isFile()) {
        if (typed.isDir() && goToFolder(*Drive1, *Dir1, path))
            Text1->setText(QDir::toNativeSeparators(File1->Path()));
        else
            platform::messageBox(QString::fromLatin1(typed.isDir()
                                                         ? "The folder \"%1\" cannot be opened."
                                                         : "There is no file or folder \"%1\".")
                                     .arg(QDir::toNativeSeparators(path)),
                                 QStringLiteral("Error"));
        return false;
    }
    // The lists show where the file lies, with the file selected, as if it had been clicked.
    goToFolder(*Drive1, *Dir1, typed.absolutePath());
    const QList<QListWidgetItem*> listed = File1->findItems(typed.fileName(), Qt::MatchExactly);
    if (!listed.isEmpty())
        File1->setCurrentItem(listed.first());
    Text1->setText(QDir::toNativeSeparators(path));
    emit fileChosen(Text1->text());
    return true;
}

void PictureChooser::Command1_Click()
{
    emit exitRequested();
}
