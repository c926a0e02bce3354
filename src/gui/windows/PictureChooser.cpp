#include "PictureChooser.h"

#include "DriveChange.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

PictureChooser::PictureChooser(const QString& name, const Layout& layout,
                               TaggedValue& lastDriveIndex)
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

    setTabOrder(Text1, cmdOpen);
    setTabOrder(cmdOpen, Command1);
    setTabOrder(Command1, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    Text1->setFocus();

    startAtCurrentFolder(*Drive1, *Dir1);
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
    emit openRequested();
}

void PictureChooser::Command1_Click()
{
    emit exitRequested();
}
