#include "PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>

#include <cmath>

namespace {

LoadedPicture failure(const QString& reason)
{
    return {QImage(), QSize(), reason};
}

// The largest size with the picture's proportions that fits the box (never larger than the
// picture itself for pixel formats).
QSize fittedSize(QSize picture, QSize box)
{
    const double scale =
        std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    return QSize(std::max(1, int(std::ceil(picture.width() * scale))),
                 std::max(1, int(std::ceil(picture.height() * scale))));
}

} // namespace

LoadedPicture PictureLoader::load(const QString& path, QSize fitInto)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("the file does not exist"));
    if (!info.isFile())
        return failure(QStringLiteral("it is not a file"));

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(AllocationLimitMB);
    if (!reader.canRead())
        return failure(QStringLiteral("no image format recognises its content"));

    const QByteArray format = reader.format();
    const QSize stored = reader.size();
    if (stored.isValid()) {
        if (stored.isEmpty())
            return failure(QStringLiteral("the picture has no pixels"));
        if (qint64(stored.width()) * stored.height() > MaxPixels)
            return failure(QStringLiteral("the picture is %1 x %2 pixels, more than can be shown")
                               .arg(stored.width())
                               .arg(stored.height()));
    }
    // libjpeg makes up grey rows for a file cut short and only warns; refuse it instead.
    if (format == "jpeg" && !jpegIsComplete(path))
        return failure(QStringLiteral("the file ends before the picture does"));

    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;

    if (stored.isValid() && fitInto.isValid() && !fitInto.isEmpty() &&
        reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize fitted = fittedSize(upright, fitInto);
        // Vector pictures are drawn at the size needed; pixel pictures are only ever reduced.
        const bool vector = format == "svg" || format == "svgz";
        if (vector || (fitted.width() < upright.width() && fitted.height() < upright.height()))
            reader.setScaledSize(turned ? fitted.transposed() : fitted);
    }

    QImage image = reader.read();
    if (image.isNull())
        return failure(reader.errorString());
    return {std::move(image), stored.isValid() ? upright : image.size(), QString()};
}

bool PictureLoader::jpegIsComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    // Walk the header segments up to the first scan. Inside the scan data every 0xFF byte is
    // followed by 0x00 or a restart marker, so an end-of-image marker anywhere after the first
    // scan starts means the picture is whole; one inside an embedded thumbnail (before the
    // scan) does not count.
    uchar marker[4];
    if (file.read(reinterpret_cast<char*>(marker), 2) != 2 || marker[0] != 0xFF ||
        marker[1] != 0xD8)
        return false;
    while (true) {
        if (file.read(reinterpret_cast<char*>(marker), 4) != 4 || marker[0] != 0xFF)
            return false;
        if (marker[1] == 0xFF) { // fill byte before a marker
            file.seek(file.pos() - 3);
            continue;
        }
        const int length = marker[2] << 8 | marker[3];
        if (length < 2)
            return false;
        if (marker[1] == 0xDA)
            break;
        if (!file.seek(file.pos() + length - 2))
            return false;
    }

    constexpr qint64 Chunk = 64 * 1024;
    QByteArray buffer;
    char previous = 0;
    while (!file.atEnd()) {
        buffer = file.read(Chunk);
        if (buffer.isEmpty())
            return false;
        if (previous == '\xFF' && buffer.front() == '\xD9')
            return true;
        if (buffer.contains("\xFF\xD9"))
            return true;
        previous = buffer.back();
    }
    return false;
}
