#pragma once
// The extra picture chooser: Open puts the chosen picture into the next free box of the extra
// picture viewer (four at most) and shows the viewer.

#include "PictureChooser.h"

class OpenExtraPics : public PictureChooser
{
    Q_OBJECT

public:
    OpenExtraPics(TaggedValue& lastDriveIndex, const QString& startFolder);
};
