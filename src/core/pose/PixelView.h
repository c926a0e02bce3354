#pragma once
// A decoded picture handed to the pose model without a copy: 8 bits a channel, rows of
// `bytesPerLine`. A picture decoded smaller than it is says its own size in `pictureWidth` and
// `pictureHeight`, and the keypoints come back in the picture's pixels.

#include <cstddef>
#include <cstdint>

struct PixelView
{
    enum class Layout : std::uint8_t
    {
        Rgb,  // three bytes R, G, B
        Bgrx, // four bytes B, G, R, unused: a 32-bit 0xffRRGGBB word on a little-endian machine
    };
    const std::uint8_t* bits = nullptr;
    int width = 0, height = 0;
    std::ptrdiff_t bytesPerLine = 0;
    Layout layout = Layout::Rgb;
    int pictureWidth = 0, pictureHeight = 0; // 0: the view's own size
};
