// Reading picture files: every installed format judged by content, EXIF orientation, decoding
// at the size the box needs, memory planned before decoding, and the broken files a person may
// pick.

#include "PictureFiles.h"
#include "PictureLoader.h"

#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Colour difference small enough for lossy formats.
bool near(QRgb a, QColor b)
{
    return std::abs(qRed(a) - b.red()) < 24 && std::abs(qGreen(a) - b.green()) < 24 &&
           std::abs(qBlue(a) - b.blue()) < 24;
}

QColor at(const QImage& image, double fx, double fy)
{
    return image.pixelColor(int(fx * (image.width() - 1)), int(fy * (image.height() - 1)));
}

// A 1 x 1 GIF whose one pixel is palette entry 0 (red): Qt has no GIF writer.
QByteArray redGif()
{
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00"
                      "\xFF\x00\x00\x00\x00\x00"
                      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                      "\x02\x02\x44\x01\x00;",
                      6 + 7 + 6 + 10 + 6);
}

const QByteArray RedSvg = "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                          "<rect width='40' height='20' fill='#ff0000'/></svg>";

} // namespace

class TestMediaPictures : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QDir dir() const { return QDir(temp.path()); }

private slots:
    void initTestCase() { QVERIFY(temp.isValid()); }

    void everyInstalledFormatIsReadByContent_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");

        const QImage red = pictures::plain({40, 20}, Qt::red);
        // Names with no extension or a wrong one: the content decides.
        QTest::newRow("bmp") << "a" << pictures::encode(red, "bmp") << QSize(40, 20);
        QTest::newRow("gif") << "b.png" << redGif() << QSize(1, 1);
        QTest::newRow("jpeg") << "c.bmp" << pictures::encode(red, "jpeg") << QSize(40, 20);
        QTest::newRow("png") << "d.jpg" << pictures::encode(red, "png") << QSize(40, 20);
        QTest::newRow("ico") << "e.txt" << pictures::encode(red, "ico") << QSize(40, 20);
        QTest::newRow("webp") << "f" << pictures::encode(red, "webp") << QSize(40, 20);
        QTest::newRow("tiff") << "g.gif" << pictures::encode(red, "tiff") << QSize(40, 20);
        QTest::newRow("svg") << "h.picture" << RedSvg << QSize(40, 20);
        // No size before decoding: measured once decoded.
        QTest::newRow("icns") << "i.ico"
                              << pictures::encode(pictures::plain({64, 64}, Qt::red), "icns")
                              << QSize(64, 64);
    }
    void everyInstalledFormatIsReadByContent()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QVERIFY2(!bytes.isEmpty(), "the writer for this format is not installed");
        const QString path = dir().filePath(fileName);
        QVERIFY(pictures::writeFile(path, bytes));

        const LoadedPicture picture = PictureLoader::load(path);
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.pictureSize, size);
        QCOMPARE(picture.image.size(), size);
        QVERIFY(near(at(picture.image, 0.5, 0.5).rgb(), Qt::red));
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reasonContains");

        QTest::newRow("empty file") << dir().filePath("empty.jpg") << QString();
        QTest::newRow("text named .jpg") << dir().filePath("notes.jpg") << QString();
        QTest::newRow("folder") << dir().filePath("folder.png") << "not a file";
        QTest::newRow("absurd dimensions") << dir().filePath("huge.png") << "100000 x 100000";
        QTest::newRow("missing") << dir().filePath("gone.png") << "does not exist";
    }
    void brokenFilesAreRefused()
    {
        QFETCH(QString, path);
        QFETCH(QString, reasonContains);
        QVERIFY(pictures::writeFile(dir().filePath("empty.jpg"), {}));
        QVERIFY(pictures::writeFile(dir().filePath("notes.jpg"), "Not a picture at all.\n"));
        QVERIFY(dir().mkpath("folder.png"));
        QVERIFY(
            pictures::writeFile(dir().filePath("huge.png"), pictures::pngClaiming(100000, 100000)));

        const LoadedPicture picture = PictureLoader::load(path, {300, 400});
        QVERIFY(!picture.ok());
        QVERIFY(picture.image.isNull());
        QVERIFY(!picture.error.isEmpty());
        QVERIFY2(picture.error.contains(reasonContains), qPrintable(picture.error));
    }

    void jpegEndingsAreJudgedByTheDecoder_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");

        const QByteArray end("\xFF\xD9", 2);
        const QByteArray whole = pictures::detailedJpeg({320, 240});
        const QByteArray cut = whole.left(whole.size() / 2);
        const QByteArray progressive = pictures::detailedJpeg({320, 240}, true);
        // An end marker early in the header (as in a thumbnail) makes no cut file whole.
        const QByteArray early =
            QByteArray(whole).insert(2, QByteArray("\xFF\xE2\x00\x04", 4) + end);
        QTest::newRow("whole") << whole << true;
        QTest::newRow("data after the end") << whole + "TRAILER" << true;
        QTest::newRow("fill bytes before markers") << pictures::withFillBytes(whole) << true;
        QTest::newRow("cut") << cut << false;
        QTest::newRow("cut, end marker appended") << cut + end << false;
        QTest::newRow("progressive, cut, end marker appended")
            << progressive.left(progressive.size() / 2) + end << false;
        QTest::newRow("end marker in the header, cut") << early.left(early.size() - 100) << false;
    }
    void jpegEndingsAreJudgedByTheDecoder()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        const QString path = dir().filePath(QStringLiteral("ending.jpg"));
        QVERIFY(pictures::writeFile(path, bytes));
        const LoadedPicture picture = PictureLoader::load(path, {100, 100});
        QCOMPARE(picture.ok(), loads);
        if (!loads)
            QCOMPARE(picture.error, QStringLiteral("the file ends before the picture does"));
    }

    void exifOrientationIsApplied_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<QSize>("uprightSize");
        QTest::addColumn<QSize>("decodedSize");
        QTest::addColumn<QPointF>("redAt"); // where the stored top half ends up

        // Stored 600 x 300: top half red, bottom half blue.
        const QSize full;
        QTest::newRow("upside down")
            << 3 << full << QSize(600, 300) << QSize(600, 300) << QPointF(0.5, 0.8);
        QTest::newRow("turn clockwise")
            << 6 << full << QSize(300, 600) << QSize(300, 600) << QPointF(0.8, 0.5);
        QTest::newRow("turn anticlockwise")
            << 8 << full << QSize(300, 600) << QSize(300, 600) << QPointF(0.2, 0.5);
        // Decoded smaller for a box: the reduction is worked out on the upright picture.
        QTest::newRow("clockwise, reduced")
            << 6 << QSize(100, 100) << QSize(300, 600) << QSize(50, 100) << QPointF(0.8, 0.5);
        QTest::newRow("as stored, reduced")
            << 1 << QSize(100, 100) << QSize(600, 300) << QSize(100, 50) << QPointF(0.5, 0.2);
    }
    void exifOrientationIsApplied()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, fitInto);
        QFETCH(QSize, uprightSize);
        QFETCH(QSize, decodedSize);
        QFETCH(QPointF, redAt);
        const QByteArray jpeg =
            pictures::encode(pictures::twoColour({600, 300}, Qt::red, Qt::blue), "jpeg");
        const QString path = dir().filePath(QStringLiteral("exif%1.jpg").arg(orientation));
        QVERIFY(pictures::writeFile(
            path, pictures::withExifOrientation(jpeg, std::uint16_t(orientation))));

        const LoadedPicture picture = PictureLoader::load(path, fitInto);
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.pictureSize, uprightSize);
        QCOMPARE(picture.image.size(), decodedSize);
        QVERIFY(near(at(picture.image, redAt.x(), redAt.y()).rgb(), Qt::red));
        const QPointF opposite(1 - redAt.x(), 1 - redAt.y());
        QVERIFY(near(at(picture.image, opposite.x(), opposite.y()).rgb(), Qt::blue));
    }

    void decodedAtTheSizeTheBoxNeeds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<QSize>("decodedSize");

        const QImage big = pictures::plain({3000, 2000}, Qt::green);
        QTest::newRow("large photo reduced")
            << pictures::encode(big, "jpeg") << QSize(300, 400) << QSize(300, 200);
        QTest::newRow("small photo kept")
            << pictures::encode(pictures::plain({100, 50}, Qt::green), "jpeg") << QSize(300, 400)
            << QSize(100, 50);
        QTest::newRow("no box: full size")
            << pictures::encode(big, "jpeg") << QSize() << QSize(3000, 2000);
        QTest::newRow("vector drawn at box size") << RedSvg << QSize(300, 400) << QSize(300, 150);
        // Kept at the size shown also where the plug-in decodes the whole picture first.
        QTest::newRow("bitmap reduced")
            << pictures::encode(pictures::plain({1200, 800}, Qt::red), "bmp") << QSize(300, 400)
            << QSize(300, 200);
        QImage deep(600, 400, QImage::Format_RGBX64);
        deep.fill(Qt::red);
        QTest::newRow("16-bit png reduced")
            << pictures::encode(deep, "png") << QSize(300, 400) << QSize(300, 200);
        QTest::newRow("icns reduced")
            << pictures::encode(pictures::plain({256, 256}, Qt::red), "icns") << QSize(100, 400)
            << QSize(100, 100);
    }
    void decodedAtTheSizeTheBoxNeeds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, fitInto);
        QFETCH(QSize, decodedSize);
        const QString path = dir().filePath(QStringLiteral("sized"));
        QVERIFY(pictures::writeFile(path, bytes));
        const LoadedPicture picture = PictureLoader::load(path, fitInto);
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), decodedSize);
    }

    void limitsHoldExactlyAtTheirBoundary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<qint64>("decodedPixels"); // what the decoder makes, before any scaling

        QTest::newRow("jpeg decoded at 1/8")
            << pictures::flatJpeg(800, 600, 3) << QSize(100, 100) << qint64(100 * 75);
        QTest::newRow("png at full size")
            << pictures::encode(pictures::plain({40, 25}, Qt::red), "png") << QSize()
            << qint64(1000);
        QTest::newRow("bitmap decoded whole, then reduced")
            << pictures::encode(pictures::plain({120, 80}, Qt::red), "bmp") << QSize(30, 30)
            << qint64(120 * 80);
    }
    void limitsHoldExactlyAtTheirBoundary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, fitInto);
        QFETCH(qint64, decodedPixels);
        const QString path = dir().filePath(QStringLiteral("limits"));
        QVERIFY(pictures::writeFile(path, bytes));
        const qint64 needed = PictureLoader::load(path, fitInto).bytesNeeded;
        QVERIFY(needed > 0);

        const auto load = [&](qint64 pixels, qint64 memory) {
            return PictureLoader::load(path, fitInto, {pixels, memory});
        };
        QVERIFY(load(decodedPixels + 1, needed + 1).ok());
        for (const LoadedPicture& refused :
             {load(decodedPixels, needed + 1), load(decodedPixels + 1, needed)}) {
            QVERIFY(!refused.ok());
            QVERIFY(refused.tooLarge);
            QVERIFY(refused.image.isNull());
        }
    }

    void memoryIsPlannedBeforeDecoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<QString>("refusal"); // how the reason starts; empty: loads
        QTest::addColumn<qint64>("atLeast");  // bytes the plan must count
        QTest::addColumn<qint64>("below");

        const QByteArray phone = pictures::flatJpeg(12000, 9000, 3);
        QTest::newRow("phone photo, full size")
            << phone << QSize() << "it is 12000 x 9000 pixels, too many to be shown"
            << qint64(12000) * 9000 * 4 << qint64(0);
        QTest::newRow("phone photo decoded at 1/8 for a box")
            << phone << QSize(300, 400) << QString() << qint64(1500) * 1125 * 4
            << qint64(8) * 1024 * 1024;
        QTest::newRow("16-bit png of 7000 x 7000")
            << pictures::pngClaiming(7000, 7000, 16) << QSize(300, 400)
            << "it is 7000 x 7000 pixels and would need" << qint64(7000) * 7000 * 8 << qint64(0);
        // A progressive file is decoded from coefficients of the whole picture (4:2:0 here).
        const QByteArray progressive = pictures::detailedJpeg({1600, 1200}, true);
        QTest::newRow("progressive jpeg") << progressive << QSize(100, 100) << QString()
                                          << qint64(1600) * 1200 * 3 << qint64(1600) * 1200 * 4;
        QTest::newRow("progressive jpeg, fill bytes")
            << pictures::withFillBytes(progressive) << QSize(100, 100) << QString()
            << qint64(1600) * 1200 * 3 << qint64(1600) * 1200 * 4;
    }
    void memoryIsPlannedBeforeDecoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, fitInto);
        QFETCH(QString, refusal);
        QFETCH(qint64, atLeast);
        QFETCH(qint64, below);
        const QString path = dir().filePath(QStringLiteral("planned"));
        QVERIFY(pictures::writeFile(path, bytes));
        const LoadedPicture picture = PictureLoader::load(path, fitInto);
        QVERIFY2(picture.error.startsWith(refusal) && picture.error.isEmpty() == refusal.isEmpty(),
                 qPrintable(picture.error));
        QCOMPARE(picture.tooLarge, !refusal.isEmpty());
        QVERIFY2(picture.bytesNeeded >= atLeast, qPrintable(QString::number(picture.bytesNeeded)));
        if (below > 0)
            QVERIFY2(picture.bytesNeeded < below, qPrintable(QString::number(picture.bytesNeeded)));
        if (picture.ok()) {
            QVERIFY(picture.image.width() <= fitInto.width());
            QVERIFY(picture.image.height() <= fitInto.height());
        }
    }
};

QTEST_MAIN(TestMediaPictures)
#include "test_media_pictures.moc"
