#pragma once
// Pictures made at test time: plain and two-coloured pictures in any format the plug-ins
// write, a JPEG with an EXIF orientation patched in by hand, and the broken files a person may
// pick (empty, cut short, text with a picture's name, a header claiming absurd dimensions).

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QString>
#include <QtEndian>

#include <array>
#include <cstdint>

namespace pictures {

inline QImage plain(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Top half `top`, bottom half `bottom`.
inline QImage twoColour(QSize size, QColor top, QColor bottom)
{
    QImage image = plain(size, bottom);
    QPainter(&image).fillRect(0, 0, size.width(), size.height() / 2, top);
    return image;
}

inline QByteArray encode(const QImage& image, const char* format, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QString save(const QDir& dir, const QString& name, const QImage& image,
                    const char* format = "png")
{
    const QString path = dir.filePath(name);
    return writeFile(path, encode(image, format)) ? path : QString();
}

// An EXIF block (big-endian TIFF) with one entry, the orientation, inserted after the start of
// image marker. Orientation 6 means "turn 90 degrees clockwise to view".
inline QByteArray withExifOrientation(QByteArray jpeg, std::uint16_t orientation)
{
    const char tiff[] = {'M',
                         'M',
                         0,
                         42,
                         0,
                         0,
                         0,
                         8, // header, IFD at 8
                         0,
                         1, // one entry
                         0x01,
                         0x12,
                         0,
                         3,
                         0,
                         0,
                         0,
                         1, // orientation, SHORT x1
                         char(orientation >> 8),
                         char(orientation),
                         0,
                         0, // value
                         0,
                         0,
                         0,
                         0}; // no next IFD
    QByteArray payload = QByteArray("Exif\0\0", 6) + QByteArray(tiff, sizeof tiff);
    QByteArray segment("\xFF\xE1", 2);
    const int length = int(payload.size()) + 2;
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += payload;
    return jpeg.insert(2, segment);
}

inline std::uint32_t crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(std::uint32_t(data.size()), chunk.data());
    const QByteArray body = QByteArray(type, 4) + data;
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(body), crc.data());
    return chunk + crc;
}

// A well-formed PNG whose header says width x height (RGB, 8 bits) but whose data holds a
// single row: any reader that trusts the header allocates for the whole of it.
inline QByteArray pngClaiming(std::uint32_t width, std::uint32_t height)
{
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bit depth
    header[9] = 2; // RGB
    const QByteArray row(1 + 3 * 16, '\0');
    const QByteArray zlib = qCompress(row).mid(4); // qCompress puts the length in front
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", {});
}

// A JPEG with detail throughout, so that its scan data is long enough to cut.
inline QByteArray detailedJpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF);
    }
    return encode(image, "jpeg");
}

} // namespace pictures
