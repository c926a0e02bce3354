#include "OpenPictureFile.h"

#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "PictureShow.h"

OpenPictureFile::OpenPictureFile()
    : PictureChooser(QStringLiteral("OpenPictureFile"), {{5925, 3780},
                                                         {0, 0, 3735, 315},
                                                         {0, 360, 3735, 2115},
                                                         {3840, 0, 2055, 2430},
                                                         {0, 2520, 5895, 495},
                                                         {1200, 3120, 2175, 615},
                                                         {3480, 3120, 2175, 615}})
{
}

void OpenPictureFile::cmdOpen_Click()
{
    // Read first: a picture that cannot be read leaves the task picture as it was.
    if (showChosenPicture(true))
        hide();
}

void OpenPictureFile::Command1_Click()
{
    // Exit paints the chosen picture too, but leaves the box hidden if it was: before the first
    // Open the picture is only there to be seen once the box is shown. With nothing chosen it
    // simply closes the window; a file that cannot be shown is reported, then the window closes.
    if (!Module1::SelectedPicturePath.isEmpty())
        showChosenPicture(false);
    hide();
}

bool OpenPictureFile::showChosenPicture(bool reveal)
{
    Main2& main2 = Forms::get<Main2>();
    LoadedPicture picture = loadChosenPicture(main2.taskPictureSize());
    if (!picture.ok())
        return false;
    paintPicture(std::move(picture), Forms::get<PictureShow>().Picture1,
                 [&](const QImage& image, QSizeF size) {
                     return main2.showTaskPicture(image, size, reveal);
                 });
    return true;
}
