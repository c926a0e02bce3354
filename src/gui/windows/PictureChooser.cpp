#include "PictureChooser.h"

#include "DriveChange.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "Forms.h"
#include "Module1.h"
#include "PictureBox.h"
#include "PictureShow.h"
#include "Platform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

PictureChooser::PictureChooser(const QString& name, const Layout& layout)
    : Form(name, QStringLiteral("Open Picture File"), layout.client)
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
    changeDrive(*Drive1, *Dir1);
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
    Module1::SelectedPictureFile = name;
    // The separator is always added, also after a root ("//name" still opens).
    Text1->setText(QDir::toNativeSeparators(File1->Path()) + QDir::separator() + name);
    Module1::SelectedPicturePath = Text1->text();
}

void PictureChooser::File1_DblClick()
{
    // The first click of the double click has already chosen the file.
    cmdOpen_Click();
}

namespace {

// Decoded pictures the windows hold: both surfaces and what every picture box shows.
qint64 picturesHeld()
{
    const PictureShow& show = Forms::get<PictureShow>();
    qint64 bytes = show.Picture1.sizeInBytes() + show.Picture2.sizeInBytes();
    for (QWidget* widget : QApplication::allWidgets()) {
        if (const auto* box = qobject_cast<const PictureBox*>(widget))
            bytes += box->content().sizeInBytes();
    }
    return bytes;
}

} // namespace

LoadedPicture PictureChooser::loadChosenPicture(QSize deviceSize)
{
    const QString path = Module1::SelectedPicturePath;
    if (path.isEmpty()) {
        platform::messageBox(QStringLiteral("No picture file has been chosen."),
                             QStringLiteral("Error"));
        return {QImage(), QSize(), 0, QStringLiteral("no file chosen"), false};
    }
    PictureLimits limits;
    limits.bytes = PictureLimits::MemoryBudget - picturesHeld();
    LoadedPicture picture = PictureLoader::load(path, deviceSize, limits);
    if (picture.tooLarge)
        platform::messageBox(
            QStringLiteral("The picture \"%1\" cannot be shown: %2.").arg(path, picture.error),
            QStringLiteral("Error"));
    else if (!picture.ok())
        platform::messageBox(
            QStringLiteral("The file \"%1\" could not be opened as a picture.").arg(path),
            QStringLiteral("Error"));
    return picture;
}

void PictureChooser::paintPicture(LoadedPicture picture, QImage& surface, const Show& show)
{
    surface = std::move(picture.image);
    const FitResult fit = show(surface, QSizeF(picture.pictureSize));
    Module1::PictureAspect = fit.pictureAspect;
    Module1::FitWidth = fit.fitWidth;
    Module1::FitHeight = fit.fitHeight;
}
