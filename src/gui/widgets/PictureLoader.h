#pragma once
// Reads a picture file of any format the installed image plug-ins know (BMP, GIF, JPEG, PNG,
// ICO/CUR, ICNS, WebP, TIFF, SVG, ...), judged by its content, never by its extension. EXIF
// orientation is applied, so a photo taken upright comes out upright. Given the device-pixel
// size of the box it is for, the picture comes back at the size the box shows it at, never
// larger; a JPEG is decoded straight at a reduced scale.
//
// Pictures are read through QImageReader. Memory is planned before anything is decoded, from
// the size and format the reader reports: the picture the decoder makes, a progressive JPEG's
// coefficient buffers (which Qt's own allocation limit does not see) and the copies made on the
// way to the box. A read whose decoded picture has too many pixels, or which needs more memory
// than is left, is refused, and the refusal gives the picture's size. A file cut short is
// refused rather than shown half grey: the decoder asked for more than the file holds.

#include <QImage>
#include <QSize>
#include <QString>

struct LoadedPicture
{
    QImage image;           // at most the size the box shows it at
    QSize pictureSize;      // the picture's own size, orientation applied
    qint64 bytesNeeded = 0; // the most memory the read takes at once, as planned
    QString error;          // why it could not be read; empty on success
    bool tooLarge = false;  // refused for its size, not for what is in the file

    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

struct PictureLimits
{
    // A picture is decoded only into fewer pixels than this...
    static constexpr qint64 MaxPixels = 100'000'000;
    // ...and only when all pictures held, with this read, stay under this many bytes.
    static constexpr qint64 MemoryBudget = qint64(256) << 20;

    qint64 pixels = MaxPixels;   // the decoded picture must have fewer
    qint64 bytes = MemoryBudget; // the read must need fewer
};

class PictureLoader
{
public:
    // Reads `path`. `fitInto` (device pixels) is the box the picture will be fitted into; an
    // empty size decodes at full size.
    static LoadedPicture load(const QString& path, QSize fitInto = {}, PictureLimits limits = {});
};
