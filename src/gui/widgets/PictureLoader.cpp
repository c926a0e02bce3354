#include "PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr qint64 MiB = qint64(1) << 20;

LoadedPicture failure(const QString& reason, qint64 needed = 0, bool tooLarge = false)
{
    return {QImage(), QSize(), needed, reason, tooLarge};
}

// The largest size with the picture's proportions that fits the box.
QSize fittedSize(QSize picture, QSize box)
{
    const double scale =
        std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    return QSize(std::max(1, int(std::ceil(picture.width() * scale))),
                 std::max(1, int(std::ceil(picture.height() * scale))));
}

// Bytes of a QImage of that size and format: rows padded to four bytes. An unknown format
// counts as 32 bits a pixel, what the plug-ins that do not say decode to.
qint64 imageBytes(QSize size, QImage::Format format)
{
    const qint64 bits =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    return (qint64(size.width()) * bits + 31) / 32 * 4 * size.height();
}

// The format smooth scaling works in: other formats are converted, a full-size copy, first.
QImage::Format scalingFormat(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64_Premultiplied:
        return format;
    case QImage::Format_RGBA64:
    case QImage::Format_Grayscale16:
        return QImage::Format_RGBA64_Premultiplied;
    default:
        return QImage::Format_ARGB32_Premultiplied;
    }
}

// libjpeg scales by n/8 with the smallest n that keeps the picture at least as large as asked.
QSize jpegDecodedSize(QSize stored, QSize target)
{
    const double factor = std::min(double(stored.width()) / target.width(),
                                   double(stored.height()) / target.height());
    const qint64 eighths = std::clamp(int(std::ceil(8 / factor)), 1, 8);
    return QSize(int((stored.width() * eighths + 7) / 8), int((stored.height() * eighths + 7) / 8));
}

// The memory libjpeg takes beyond the picture, which Qt's allocation limit does not see: a
// progressive file, or one whose first scan leaves components out, is decoded from coefficient
// buffers for the whole picture at full size (64 coefficients of 2 bytes per 8 x 8 block of
// each component). Read from the frame header and the first scan header; -1 when they cannot
// be read.
qint64 jpegCoefficientBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(2) != "\xFF\xD8")
        return -1;
    QByteArray frame;
    bool progressive = false;
    while (true) {
        char c = 0;
        if (!file.getChar(&c) || uchar(c) != 0xFF)
            return -1;
        int marker = 0xFF;
        while (marker == 0xFF) { // fill bytes before the marker
            if (!file.getChar(&c))
                return -1;
            marker = uchar(c);
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        const QByteArray length = file.read(2);
        const qint64 size =
            length.size() == 2 ? (uchar(length[0]) << 8 | uchar(length[1])) - 2 : -1;
        if (size < 0 || marker == 0xD8 || marker == 0xD9)
            return -1;
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!isFrame && marker != 0xDA) {
            if (file.skip(size) != size)
                return -1;
            continue;
        }
        const QByteArray body = file.read(size);
        if (body.size() != size)
            return -1;
        if (isFrame) {
            frame = body;
            progressive = (marker & 3) == 2; // SOF2, SOF6, SOF10, SOF14
            continue;
        }
        // The first scan: libjpeg chooses its buffers now.
        const auto byte = [&frame](int i) { return int(uchar(frame[i])); };
        const int components = frame.size() >= 6 ? byte(5) : 0;
        if (components < 1 || components > 4 || frame.size() < 6 + 3 * components || body.isEmpty())
            return -1;
        if (!progressive && uchar(body[0]) >= components)
            return 0; // one scan of every component: decoded a row of blocks at a time
        std::array<qint64, 4> h{}, v{};
        for (std::size_t i = 0; i < std::size_t(components); ++i) {
            h[i] = std::clamp(byte(7 + 3 * int(i)) >> 4, 1, 4);
            v[i] = std::clamp(byte(7 + 3 * int(i)) & 15, 1, 4);
        }
        const qint64 hMax = *std::max_element(h.begin(), h.end());
        const qint64 vMax = *std::max_element(v.begin(), v.end());
        const qint64 height = byte(1) << 8 | byte(2);
        const qint64 width = byte(3) << 8 | byte(4);
        qint64 bytes = 0;
        for (std::size_t i = 0; i < std::size_t(components); ++i) {
            const qint64 across = (width * h[i] + hMax * 8 - 1) / (hMax * 8);
            const qint64 down = (height * v[i] + vMax * 8 - 1) / (vMax * 8);
            bytes += (across + h[i] - 1) / h[i] * h[i] * ((down + v[i] - 1) / v[i] * v[i]) * 64 * 2;
        }
        return bytes;
    }
}

// The file as the decoder reads it, noting whether the decoder asked for more than the file
// holds. A JPEG or PNG decoder stops at the picture's own end marker, so a file that runs out
// first was cut short: libpng then fails, while libjpeg makes up grey blocks for the rest and
// only warns (in words of its own, which are not relied on).
class WatchedFile : public QFile
{
public:
    using QFile::QFile;

    bool ranOut() const { return m_ranOut; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 read = QFile::readData(data, maxSize);
        if (read == 0 && maxSize > 0)
            m_ranOut = true;
        return read;
    }

private:
    bool m_ranOut = false;
};

// Qt's allocation limit holds for the whole process: it is set for one read (pictures are read
// on the GUI thread) and the one before put back after it.
class AllocationLimit
{
public:
    explicit AllocationLimit(qint64 bytes) : m_before(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(
            int(std::clamp((bytes + MiB - 1) / MiB, qint64(1), qint64(INT_MAX))));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_before); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int m_before;
};

QString sizeText(QSize size)
{
    return QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
}

} // namespace

LoadedPicture PictureLoader::load(const QString& path, QSize fitInto, PictureLimits limits)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("the file does not exist"));
    if (!info.isFile())
        return failure(QStringLiteral("it is not a file"));

    // Unbuffered, so that the decoder's reads reach the file as they are made.
    WatchedFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(file.errorString());
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(QStringLiteral("no image format recognises its content"));

    const QByteArray format = reader.format();
    const bool vector = format == "svg" || format == "svgz";
    const bool boxed = fitInto.isValid() && !fitInto.isEmpty();
    const QSize stored = reader.size();
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const bool turned = transformation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;

    // The plan, for the formats that say their size: the picture the decoder makes (a JPEG at
    // n/8 of its size, a drawing at the size asked), libjpeg's coefficient buffers, and the
    // copies made on the way to the box (scaling, turning). A PNG counts at full size even
    // where Qt's reader reduces its rows while reading.
    qint64 needed = 0;
    if (stored.isValid()) {
        if (stored.isEmpty())
            return failure(QStringLiteral("the picture has no pixels"));
        // The size asked of the decoder, in the file's own orientation; none: full size.
        QSize target;
        if (boxed) {
            const QSize fitted = fittedSize(upright, fitInto);
            if (vector || (fitted.width() < upright.width() && fitted.height() < upright.height()))
                target = turned ? fitted.transposed() : fitted;
        }
        if (target.isValid())
            reader.setScaledSize(target);

        const QImage::Format decodedFormat =
            vector ? QImage::Format_ARGB32_Premultiplied : reader.imageFormat();
        QSize decoded = stored;
        QImage::Format shownFormat = decodedFormat;
        if (vector && target.isValid()) {
            decoded = target;
        } else if (format == "jpeg") {
            if (target.isValid())
                decoded = jpegDecodedSize(stored, target);
            const qint64 coefficients = jpegCoefficientBytes(path);
            needed = coefficients >= 0 ? coefficients
                                       : qint64(stored.width()) * stored.height() * 6; // 4:4:4
        }
        needed += imageBytes(decoded, decodedFormat);
        if (target.isValid() && decoded != target) {
            shownFormat = scalingFormat(decodedFormat);
            needed += (shownFormat != decodedFormat ? imageBytes(decoded, shownFormat) : 0) +
                      imageBytes(target, shownFormat);
        }
        if (transformation != QImageIOHandler::TransformationNone)
            needed += imageBytes(target.isValid() ? target : decoded, shownFormat);

        if (qint64(decoded.width()) * decoded.height() >= limits.pixels)
            return failure(QStringLiteral("it is %1, too many to be shown").arg(sizeText(upright)),
                           needed, true);
        if (needed >= limits.bytes)
            return failure(QStringLiteral("it is %1 and would need %2 MB of memory, more than "
                                          "the %3 MB left for pictures")
                               .arg(sizeText(upright))
                               .arg((needed + MiB - 1) / MiB)
                               .arg(limits.bytes / MiB),
                           needed, true);
    }

    // Qt's own check of the picture the decoder allocates backs the plan up, and is the only
    // check before decoding for the formats that do not say their size.
    QImage image;
    {
        const AllocationLimit limit(limits.bytes);
        image = reader.read();
    }
    if (file.ranOut() && (image.isNull() || format == "jpeg" || format == "png"))
        return failure(QStringLiteral("the file ends before the picture does"), needed);
    if (image.isNull() || image.size().isEmpty())
        return failure(reader.errorString(), needed);
    const QSize pictureSize = stored.isValid() ? upright : image.size();

    // A format that did not say its size is measured now it has been decoded, and brought to
    // the size the box shows it at.
    if (!stored.isValid()) {
        needed = image.sizeInBytes();
        if (qint64(image.width()) * image.height() >= limits.pixels || needed >= limits.bytes)
            return failure(
                QStringLiteral("it is %1, too large to be shown").arg(sizeText(pictureSize)),
                needed, true);
        if (boxed && !vector) {
            const QSize fitted = fittedSize(pictureSize, fitInto);
            if (fitted.width() < image.width() && fitted.height() < image.height())
                image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
    return {std::move(image), pictureSize, needed, QString(), false};
}
