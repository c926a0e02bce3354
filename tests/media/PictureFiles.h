#pragma once
// Pictures made at test time: plain and two-coloured pictures in any format the plug-ins
// write, a JPEG with an EXIF orientation or fill bytes patched in by hand, a phone-sized JPEG
// written directly, and the broken files a person may pick (empty, cut short, text with a
// picture's name, a header claiming absurd dimensions).

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

inline QByteArray encode(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
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
    // Big-endian TIFF header, the directory at 8 with one entry: tag 0x0112, SHORT, count 1.
    const QByteArray tiff = QByteArray("MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18) +
                            char(orientation >> 8) + char(orientation) + QByteArray(6, '\0');
    QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
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

// A well-formed PNG whose header says width x height (RGB, `depth` bits) but whose data holds a
// single row: any reader that trusts the header allocates for the whole of it.
inline QByteArray pngClaiming(std::uint32_t width, std::uint32_t height, char depth = 8)
{
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = depth;
    header[9] = 2; // RGB
    const QByteArray row(1 + 3 * 16, '\0');
    const QByteArray zlib = qCompress(row).mid(4); // qCompress puts the length in front
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", {});
}

// A baseline JPEG of any size, flat mid-grey, made without ever holding the picture: every
// 8 x 8 block is two bits (no DC change, end of block) under one-code Huffman tables.
// `components` is 1 (grey) or 3 (colour, no subsampling).
inline QByteArray flatJpeg(int width, int height, int components)
{
    QByteArray jpeg("\xFF\xD8", 2);
    const auto segment = [&jpeg](char marker, const QByteArray& body) {
        const int length = int(body.size()) + 2;
        jpeg += '\xFF';
        jpeg += marker;
        jpeg += char(length >> 8);
        jpeg += char(length & 0xFF);
        jpeg += body;
    };
    segment('\xDB', QByteArray(1, '\0') + QByteArray(64, '\1'));
    QByteArray frame;
    for (const int value : {8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, components})
        frame += char(value);
    QByteArray scan(1, char(components));
    for (int i = 1; i <= components; ++i) {
        frame += QByteArray{} + char(i) + '\x11' + '\0';
        scan += QByteArray{} + char(i) + '\0';
    }
    segment('\xC0', frame);
    QByteArray oneCode(16, '\0');
    oneCode[0] = 1;
    segment('\xC4', '\0' + oneCode + '\0' + '\x10' + oneCode + '\0');
    segment('\xDA', scan + QByteArray("\0\x3F\0", 3));
    const qint64 bits = qint64((width + 7) / 8) * ((height + 7) / 8) * components * 2;
    jpeg += QByteArray((bits + 7) / 8, '\0');
    if (bits % 8)
        jpeg.back() = char(0xFF >> (bits % 8)); // padded with one bits
    return jpeg + QByteArray("\xFF\xD9", 2);
}

// The same JPEG with fill bytes (0xFF) before its frame header and its first scan.
inline QByteArray withFillBytes(QByteArray jpeg)
{
    for (const char* marker : {"\xFF\xDA", "\xFF\xC2", "\xFF\xC0"}) {
        const qsizetype at = jpeg.indexOf(marker);
        if (at > 0)
            jpeg.insert(at, "\xFF\xFF\xFF");
    }
    return jpeg;
}

// A JPEG with detail throughout, so that its scan data is long enough to cut.
inline QByteArray detailedJpeg(QSize size, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF);
    }
    return encode(image, "jpeg", progressive);
}

} // namespace pictures
