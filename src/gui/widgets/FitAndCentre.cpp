#include "FitAndCentre.h"

FitResult fitAndCentre(QSizeF picture, QSizeF box)
{
    FitResult fit;
    fit.pictureAspect = static_cast<float>(picture.width()) / static_cast<float>(picture.height());
    const float boxWidth = static_cast<float>(box.width());
    const float boxHeight = static_cast<float>(box.height());
    fit.fitWidth = boxWidth;
    fit.fitHeight = boxHeight;
    // A picture of exactly the box's proportions takes the width rule.
    const float boxAspect = fit.fitWidth / fit.fitHeight;
    if (boxAspect > fit.pictureAspect)
        fit.fitWidth = fit.fitHeight * fit.pictureAspect;
    else
        fit.fitHeight = fit.fitWidth / fit.pictureAspect;
    fit.left = (boxWidth - fit.fitWidth) / 2;
    fit.top = (boxHeight - fit.fitHeight) / 2;
    return fit;
}
