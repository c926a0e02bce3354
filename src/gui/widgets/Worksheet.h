#pragma once
// The scoring worksheet: the picture of the worksheet and the boxes on it where the scores are
// written, as the results window shows them and the printed page draws them. Positions are the
// results window's, in twips.

#include "Assessment.h"

#include <QRect>

#include <array>
#include <cstdint>

namespace worksheet {

struct ValueBox
{
    const char* label;           // the results window's value label
    QRect twips;                 // its designed position
    std::int16_t Scores::*score; // the score it shows
    const char* name;            // what it shows, for assistive technology
};

// Label5 to Label26, in that order.
extern const std::array<ValueBox, 22> ValueBoxes;

// Where the worksheet picture stands on the results window.
inline constexpr QRect PictureTwips{120, 1560, 14775, 7935};
inline constexpr const char* PictureResource = ":/pictures/worksheet.svg";

} // namespace worksheet
