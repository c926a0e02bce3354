#include "OpenPictureFile.h"

OpenPictureFile::OpenPictureFile(TaggedValue& lastDriveIndex, const QString& startFolder)
    : PictureChooser(QStringLiteral("OpenPictureFile"),
                     {{5925, 3780},
                      {0, 0, 3735, 315},
                      {0, 360, 3735, 2115},
                      {3840, 0, 2055, 2430},
                      {0, 2520, 5895, 495},
                      {1200, 3120, 2175, 615},
                      {3480, 3120, 2175, 615}},
                     lastDriveIndex, startFolder)
{
}
