#pragma once
// Reads a picture file of any format the installed image plug-ins know (BMP, GIF, JPEG, PNG,
// ICO/CUR, WebP, TIFF, SVG, ...), judged by its content, never by its extension. EXIF
// orientation is applied, so a photo taken upright comes out upright. Given the device-pixel
// size of the box it is for, a large photo is decoded straight at the size the box needs
// instead of at full size. Pictures whose header claims absurd dimensions, and files cut short,
// are refused before they can exhaust memory or show half a picture.

#include <QImage>
#include <QSize>
#include <QString>

struct LoadedPicture
{
    QImage image;      // as decoded: possibly smaller than the picture itself
    QSize pictureSize; // the picture's own size, orientation applied
    QString error;     // why it could not be read; empty on success

    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

class PictureLoader
{
public:
    // Pictures with more pixels than this are refused before anything is decoded.
    static constexpr qint64 MaxPixels = 100'000'000;
    // The most a single decode may allocate, in megabytes.
    static constexpr int AllocationLimitMB = 512;

    // Reads `path`. `fitInto` (device pixels) is the box the picture will be fitted into; an
    // empty size decodes at full size.
    static LoadedPicture load(const QString& path, QSize fitInto = {});

private:
    static bool jpegIsComplete(const QString& path);
};
