#pragma once
// The task picture chooser: Open shows the chosen picture in the posture selection window's
// picture box.

#include "PictureChooser.h"

class OpenPictureFile : public PictureChooser
{
    Q_OBJECT

public:
    OpenPictureFile(TaggedValue& lastDriveIndex, const QString& startFolder);
};
