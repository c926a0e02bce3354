#pragma once
// Where a picture goes when it is fitted into a box: as large as the box allows with its
// proportions kept, centred, the two bands left over equal. The arithmetic is done in 32-bit
// floats, in this order, because the stored aspect and fitted size are part of the assessment
// state and must come out the same on every machine.

#include <QRectF>
#include <QSizeF>

struct FitResult
{
    float pictureAspect = 0; // picture width / height
    float fitWidth = 0;
    float fitHeight = 0;
    float left = 0;
    float top = 0;

    QRectF rect() const { return QRectF(left, top, fitWidth, fitHeight); }
};

// `picture` and `box` in the same units (the picture boxes use logical pixels). The picture must
// not be empty.
FitResult fitAndCentre(QSizeF picture, QSizeF box);
