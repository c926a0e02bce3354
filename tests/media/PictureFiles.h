#pragma once
// Pictures made at test time: plain pictures in any format the plug-ins write, a JPEG with an EXIF
// orientation or fill bytes patched in by hand, a phone-sized JPEG written directly, and the broken
// files a person may pick (empty, cut short, text with a picture's name, a header claiming absurd
// dimensions). And a person's clicks on the file lists.

#include "TestSupport.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QListWidget>
#include <QString>
#include <QTest>

#include <cstdint>

namespace pictures {

inline QImage plain(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QByteArray encode(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// A JPEG marker segment: FF, the marker, the length (counting itself), the body.
inline QByteArray segment(char marker, const QByteArray& body)
{
    const int length = int(body.size()) + 2;
    return QByteArray(1, '\xFF') + marker + char(length >> 8) + char(length) + body;
}

// An EXIF block (big-endian TIFF) with one entry, the orientation, inserted after the start of
// image marker. Orientation 6 means "turn 90 degrees clockwise to view".
inline QByteArray withExifOrientation(QByteArray jpeg, std::uint16_t orientation)
{
    // Big-endian TIFF header, the directory at 8 with one entry: tag 0x0112, SHORT, count 1.
    const QByteArray tiff = QByteArray("MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18) +
                            char(orientation >> 8) + char(orientation) + QByteArray(6, '\0');
    return jpeg.insert(2, segment('\xE1', QByteArray("Exif\0\0", 6) + tiff));
}

// A well-formed PNG whose header says width x height (RGB, `depth` bits) but whose data holds a
// single row: any reader that trusts the header allocates for the whole of it.
inline QByteArray pngClaiming(std::uint32_t width, std::uint32_t height, char depth = 8)
{
    const auto bigEndian = [](std::uint32_t v) {
        return QByteArray() + char(v >> 24) + char(v >> 16) + char(v >> 8) + char(v);
    };
    const auto chunk = [&](const char* type, const QByteArray& data) {
        const QByteArray body = QByteArray(type, 4) + data;
        std::uint32_t crc = 0xFFFFFFFFu;
        for (const char c : body) {
            crc ^= std::uint8_t(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return bigEndian(std::uint32_t(data.size())) + body + bigEndian(~crc);
    };
    const QByteArray header = bigEndian(width) + bigEndian(height) + depth + '\2' + // RGB
                              QByteArray(3, '\0');
    const QByteArray zlib = qCompress(QByteArray(1 + 3 * 16, '\0')).mid(4); // less the length
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) + chunk("IDAT", zlib) +
           chunk("IEND", {});
}

// A baseline JPEG of any size, flat mid-grey, made without ever holding the picture: every
// 8 x 8 block is two bits (no DC change, end of block) under one-code Huffman tables.
// `components` is 1 (grey) or 3 (colour, no subsampling).
inline QByteArray flatJpeg(int width, int height, int components)
{
    QByteArray jpeg = QByteArray("\xFF\xD8", 2) + segment('\xDB', '\0' + QByteArray(64, '\1'));
    QByteArray frame;
    for (const int value : {8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, components})
        frame += char(value);
    QByteArray scan(1, char(components));
    for (int i = 1; i <= components; ++i) {
        frame += QByteArray{} + char(i) + '\x11' + '\0';
        scan += QByteArray{} + char(i) + '\0';
    }
    const QByteArray oneCode = '\1' + QByteArray(15, '\0');
    jpeg += segment('\xC0', frame) +
            segment('\xC4', '\0' + oneCode + '\0' + '\x10' + oneCode + '\0') +
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

// A click on a list's item, or a person's double click: a click, then the double click.
inline void clickItem(QListWidget* list, const QString& text, bool twice = false)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchEndsWith);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->scrollToItem(found[0]);
    const QPoint at = list->visualItemRect(found[0]).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace pictures
