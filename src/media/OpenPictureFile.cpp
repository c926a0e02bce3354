#include "OpenPictureFile.h"

#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "PictureBox.h"
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
    PictureBox& box = *Forms::get<Main2>().Picture1;
    // Read first: a picture that cannot be read leaves the box as it was.
    LoadedPicture picture = loadChosenPicture(box);
    if (!picture.ok())
        return;
    box.clear();
    box.show();
    paintPicture(std::move(picture), Forms::get<PictureShow>().Picture1, box);
    hide();
}

void OpenPictureFile::Command1_Click()
{
    // Exit paints the chosen picture too, but leaves the box hidden if it was: before the first
    // Open the picture is only there to be seen once the box is shown. With nothing chosen it
    // simply closes the window; a file that cannot be shown is reported, then the window closes.
    if (!Module1::SelectedPicturePath.isEmpty()) {
        PictureBox& box = *Forms::get<Main2>().Picture1;
        LoadedPicture picture = loadChosenPicture(box);
        if (picture.ok())
            paintPicture(std::move(picture), Forms::get<PictureShow>().Picture1, box);
    }
    hide();
}
