#include "OpenExtraPics.h"

OpenExtraPics::OpenExtraPics(TaggedValue& lastDriveIndex, const QString& startFolder)
    : PictureChooser(QStringLiteral("OpenExtraPics"),
                     {{6195, 4050},
                      {120, 120, 3735, 315},
                      {120, 480, 3735, 2115},
                      {3960, 120, 2055, 2430},
                      {120, 2640, 5895, 495},
                      {1320, 3240, 2175, 615},
                      {3600, 3240, 2175, 615}},
                     lastDriveIndex, startFolder)
{
}
