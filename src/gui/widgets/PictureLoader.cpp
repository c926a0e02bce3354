#include "PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QLoggingCategory>

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

// What a JPEG's header says about the memory its decoding takes beyond the picture: a
// progressive file, or one whose first scan leaves components out, is decoded from
// coefficient buffers for the whole picture (64 coefficients of 2 bytes per 8 x 8 block of
// each component).
struct JpegFrame
{
    bool found = false;
    qint64 coefficientBytes = 0;
};

JpegFrame readJpegFrame(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto next = [&file]() -> int {
        char c = 0;
        return file.getChar(&c) ? int(uchar(c)) : -1;
    };
    if (next() != 0xFF || next() != 0xD8)
        return {};

    bool progressive = false;
    qint64 width = 0, height = 0;
    std::array<int, 4> h{}, v{};
    int components = 0;
    while (true) {
        if (next() != 0xFF)
            return {};
        int marker = next();
        while (marker == 0xFF) // fill bytes before a marker
            marker = next();
        if (marker < 0 || marker == 0xD8 || marker == 0xD9)
            return {};
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        const int high = next();
        const int low = next();
        const int length = high << 8 | low;
        if (low < 0 || length < 2)
            return {};
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame && marker != 0xDA) {
            if (file.skip(length - 2) != length - 2)
                return {};
            continue;
        }
        const QByteArray body = file.read(length - 2);
        if (body.size() != length - 2 || body.isEmpty())
            return {};
        const auto byte = [&body](int i) { return int(uchar(body[i])); };
        if (frame) {
            components = byte(5);
            if (body.size() < 6 + 3 * components || components < 1 || components > 4)
                return {};
            progressive = (marker & 3) == 2; // SOF2, SOF6, SOF10, SOF14
            height = byte(1) << 8 | byte(2);
            width = byte(3) << 8 | byte(4);
            for (int i = 0; i < components; ++i) {
                h[std::size_t(i)] = std::clamp(byte(7 + 3 * i) >> 4, 1, 4);
                v[std::size_t(i)] = std::clamp(byte(7 + 3 * i) & 15, 1, 4);
            }
            continue;
        }
        // The first scan: the decoder chooses its buffers now.
        if (components == 0)
            return {};
        JpegFrame result{true, 0};
        if (!progressive && byte(0) >= components)
            return result;
        const qint64 hMax = *std::max_element(h.begin(), h.begin() + components);
        const qint64 vMax = *std::max_element(v.begin(), v.begin() + components);
        for (std::size_t i = 0; i < std::size_t(components); ++i) {
            const qint64 across = (width * h[i] + hMax * 8 - 1) / (hMax * 8);
            const qint64 down = (height * v[i] + vMax * 8 - 1) / (vMax * 8);
            result.coefficientBytes +=
                (across + h[i] - 1) / h[i] * h[i] * ((down + v[i] - 1) / v[i] * v[i]) * 64 * 2;
        }
        return result;
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

// Whether the PNG reader scales rows down as it reads them (8-bit colour, not interlaced)
// instead of decoding the whole picture first.
bool pngScalesWhileReading(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(29);
    if (header.size() < 29 || header.mid(12, 4) != "IHDR")
        return false;
    const int depth = uchar(header[24]);
    const int colourType = uchar(header[25]);
    const int interlace = uchar(header[28]);
    return depth == 8 && (colourType == 2 || colourType == 4 || colourType == 6) && interlace == 0;
}

// libjpeg makes up grey blocks for scan data that ends early, whether the file is simply cut
// short or has an end marker after the cut, and only warns. While a JPEG is read, its warnings
// are caught here instead of printed, and a read that ran out of data is refused.
class JpegWarnings
{
public:
    JpegWarnings()
    {
        static const QLoggingCategory::CategoryFilter earlier =
            QLoggingCategory::installFilter(&JpegWarnings::keepOn);
        s_earlierFilter = earlier;
        s_current = this;
        m_earlierHandler = qInstallMessageHandler(&JpegWarnings::handle);
    }
    ~JpegWarnings()
    {
        qInstallMessageHandler(m_earlierHandler);
        s_current = nullptr;
    }
    JpegWarnings(const JpegWarnings&) = delete;
    JpegWarnings& operator=(const JpegWarnings&) = delete;

    bool dataEndedEarly() const { return m_endedEarly; }

private:
    static constexpr const char* Category = "qt.gui.imageio.jpeg";

    // The decoder's warnings must reach the handler whatever the logging rules say.
    static void keepOn(QLoggingCategory* category)
    {
        if (s_earlierFilter)
            s_earlierFilter(category);
        if (qstrcmp(category->categoryName(), Category) == 0)
            category->setEnabled(QtWarningMsg, true);
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        JpegWarnings* self = s_current;
        if (self && qstrcmp(context.category, Category) == 0) {
            if (text.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
                self->m_endedEarly = true;
            return;
        }
        if (self && self->m_earlierHandler)
            self->m_earlierHandler(type, context, text);
    }

    static inline JpegWarnings* s_current = nullptr;
    static inline QLoggingCategory::CategoryFilter s_earlierFilter = nullptr;
    QtMessageHandler m_earlierHandler = nullptr;
    bool m_endedEarly = false;
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

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // Qt's own check of each allocation, for the formats that do not say their size up front.
    reader.setAllocationLimit(int(std::clamp(limits.bytes / MiB, qint64(1), qint64(INT_MAX))));
    if (!reader.canRead())
        return failure(QStringLiteral("no image format recognises its content"));

    const QByteArray format = reader.format();
    const bool vector = format == "svg" || format == "svgz";
    const bool boxed = fitInto.isValid() && !fitInto.isEmpty();
    const QSize stored = reader.size();
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const bool turned = transformation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;

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

        // The plan: what the decoder allocates, then the copies made on the way to the box.
        const QImage::Format decodedFormat = reader.imageFormat();
        QSize decoded = stored;
        QImage::Format resultFormat = decodedFormat;
        if (vector) {
            decoded = target.isValid() ? target : stored;
            needed = imageBytes(decoded, QImage::Format_ARGB32_Premultiplied);
        } else if (format == "jpeg") {
            const JpegFrame frame = readJpegFrame(path);
            if (target.isValid())
                decoded = jpegDecodedSize(stored, target);
            needed = imageBytes(decoded, decodedFormat) +
                     (frame.found ? frame.coefficientBytes
                                  : qint64(stored.width()) * stored.height() * 6);
            if (target.isValid() && decoded != target) {
                resultFormat = QImage::Format_RGB32;
                needed += (decodedFormat != resultFormat ? imageBytes(decoded, resultFormat) : 0) +
                          imageBytes(target, resultFormat);
            }
        } else if (format == "png" && target.isValid() && pngScalesWhileReading(path)) {
            // Every row is decoded at full width, one at a time, and added into the smaller
            // picture: few bytes, but all the pixels.
            needed = imageBytes(target, decodedFormat) + 24 * qint64(stored.width());
        } else {
            needed = imageBytes(stored, decodedFormat);
            if (target.isValid()) {
                resultFormat = scalingFormat(decodedFormat);
                needed += (resultFormat != decodedFormat ? imageBytes(stored, resultFormat) : 0) +
                          imageBytes(target, resultFormat);
            }
        }
        if (transformation != QImageIOHandler::TransformationNone)
            needed += imageBytes(target.isValid() ? target : decoded, resultFormat);

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

    QImage image;
    if (format == "jpeg") {
        const JpegWarnings warnings;
        image = reader.read();
        if (!image.isNull() && warnings.dataEndedEarly())
            return failure(QStringLiteral("the file ends before the picture does"), needed);
    } else {
        image = reader.read();
    }
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
