// Reading picture files: every installed format judged by content, EXIF orientation, decoding
// at the size the box needs, memory planned before decoding, and the broken files a person may
// pick.

#include "PictureFiles.h"
#include "PictureLoader.h"

#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Whether the picture is near `colour` (as lossy formats allow) at a fraction of its size.
bool near(const QImage& image, QPointF at, QColor colour)
{
    const QColor c =
        image.pixelColor(int(at.x() * (image.width() - 1)), int(at.y() * (image.height() - 1)));
    return std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
               std::abs(c.blue() - colour.blue()) <
           48;
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
    void initTestCase() { QVERIFY(dir().mkpath("folder.png")); }

    // Read by content whatever the name says, decoded at the size the box needs, the memory
    // planned before decoding.
    void loads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<QSize>("decoded");   // empty: refused
        QTest::addColumn<QString>("refusal"); // how the reason starts
        QTest::addColumn<qint64>("atLeast");  // bytes the plan must count
        QTest::addColumn<qint64>("below");

        const auto red = [](int width, int height, const char* format) {
            return pictures::encode(pictures::plain({width, height}, Qt::red), format);
        };
        const auto row = [](const char* name, const QByteArray& bytes, QSize fitInto,
                            QSize decoded) -> void {
            QTest::newRow(name) << bytes << fitInto << decoded << QString() << 0ll << 0ll;
        };
        const QSize full, box(300, 400);
        for (const char* format : {"bmp", "jpeg", "png", "ico", "webp", "tiff"})
            row(format, red(40, 20, format), full, {40, 20});
        row("gif", redGif(), full, {1, 1});
        row("svg", RedSvg, full, {40, 20});
        row("icns", red(64, 64, "icns"), full, {64, 64}); // size known once read
        row("photo reduced", red(3000, 2000, "jpeg"), box, {300, 200});
        row("vector drawn at box size", RedSvg, box, {300, 150});
        row("bitmap reduced", red(1200, 800, "bmp"), box, {300, 200});

        const QByteArray phone = pictures::flatJpeg(12000, 9000, 3);
        QTest::newRow("phone photo, full size")
            << phone << full << QSize() << "it is 12000 x 9000 pixels, too many to be shown"
            << qint64(12000) * 9000 * 4 << 0ll;
        QTest::newRow("phone photo decoded at 1/8")
            << phone << box << QSize() << QString() << qint64(1500) * 1125 * 4
            << qint64(8) * 1024 * 1024;
        QTest::newRow("16-bit png of 7000 x 7000")
            << pictures::pngClaiming(7000, 7000, 16) << box << QSize()
            << "it is 7000 x 7000 pixels and would need" << qint64(7000) * 7000 * 8 << 0ll;
        // A progressive file is decoded from coefficients of the whole picture (4:2:0 here).
        const QByteArray progressive = pictures::detailedJpeg({1600, 1200}, true);
        QTest::newRow("progressive jpeg") << progressive << QSize(100, 100) << QSize() << QString()
                                          << qint64(1600) * 1200 * 3 << qint64(1600) * 1200 * 4;
        QTest::newRow("progressive jpeg, fill bytes")
            << pictures::withFillBytes(progressive) << QSize(100, 100) << QSize() << QString()
            << qint64(1600) * 1200 * 3 << qint64(1600) * 1200 * 4;
    }
    void loads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, fitInto);
        QFETCH(QSize, decoded);
        QFETCH(QString, refusal);
        QFETCH(qint64, atLeast);
        QFETCH(qint64, below);
        QVERIFY2(!bytes.isEmpty(), "the writer for this format is not installed");
        const QString path = dir().filePath(QStringLiteral("picture.txt"));
        QVERIFY(writeFile(path, bytes));
        const int allocationLimit = QImageReader::allocationLimit();
        const LoadedPicture picture = PictureLoader::load(path, fitInto);
        QCOMPARE(QImageReader::allocationLimit(), allocationLimit); // set for the read only
        QVERIFY2(picture.error.startsWith(refusal) && picture.error.isEmpty() == refusal.isEmpty(),
                 qPrintable(picture.error));
        QCOMPARE(picture.tooLarge, !refusal.isEmpty());
        QVERIFY2(picture.bytesNeeded >= atLeast && (below == 0 || picture.bytesNeeded < below),
                 qPrintable(QString::number(picture.bytesNeeded)));
        if (!decoded.isEmpty()) {
            QCOMPARE(picture.image.size(), decoded);
            QVERIFY(near(picture.image, {0.5, 0.5}, Qt::red));
            if (!fitInto.isValid())
                QCOMPARE(picture.pictureSize, decoded);
        } else if (picture.ok()) {
            QVERIFY(fitInto.expandedTo(picture.image.size()) == fitInto);
        }
    }

    // Broken files and JPEG endings, judged by the decoder.
    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: not written
        QTest::addColumn<QString>("error");    // part of the reason; null: it loads

        const QString cutShort = QStringLiteral("the file ends before the picture does");
        const QByteArray end("\xFF\xD9", 2);
        const QByteArray whole = pictures::detailedJpeg({320, 240});
        const QByteArray cut = whole.left(whole.size() / 2);
        const QByteArray progressive = pictures::detailedJpeg({320, 240}, true);
        // An end marker early in the header (as in a thumbnail) makes no cut file whole.
        const QByteArray early =
            QByteArray(whole).insert(2, QByteArray("\xFF\xE2\x00\x04", 4) + end);
        const auto row = [](const char* label, const QByteArray& bytes, const QString& error) {
            QTest::newRow(label) << "picture.jpg" << bytes << error;
        };
        row("empty file", QByteArray(""), "");
        row("text named .jpg", "Not a picture at all.\n", "");
        QTest::newRow("folder") << "folder.png" << QByteArray() << "not a file";
        QTest::newRow("missing") << "gone.png" << QByteArray() << "does not exist";
        row("absurd dimensions", pictures::pngClaiming(100000, 100000), "100000 x 100000");
        row("whole", whole, QString());
        row("data after the end", whole + "TRAILER", QString());
        row("fill bytes before markers", pictures::withFillBytes(whole), QString());
        row("cut", cut, cutShort);
        row("progressive, cut", progressive.left(progressive.size() / 2), cutShort);
        row("end marker in the header, cut", early.left(early.size() - 100), cutShort);
        row("no end marker", whole.chopped(2), cutShort); // as libjpeg's own reader takes it
        const QByteArray png = pictures::encode(pictures::plain({300, 200}, Qt::red), "png");
        QTest::newRow("png, cut") << "picture.png" << png.left(png.size() - 40) << cutShort;
        // Shown as the decoder makes it: the file holds a whole JPEG's markers, and only the
        // decoder's warning (not listened to) tells that the scan data stopped early.
        row("cut, end marker appended", cut + end, QString());
        row("progressive, cut, end marker appended", progressive.left(progressive.size() / 2) + end,
            QString());
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const QString path = dir().filePath(name);
        QVERIFY(bytes.isNull() || writeFile(path, bytes));
        const LoadedPicture picture = PictureLoader::load(path, {100, 100});
        QCOMPARE(picture.ok(), error.isNull());
        QCOMPARE(picture.image.isNull(), !error.isNull());
        QVERIFY2(picture.error.contains(error) && picture.error.isEmpty() == error.isNull(),
                 qPrintable(picture.error));
    }

    // A phone photo stored on its side (EXIF orientation 6) is turned upright, and the reduction
    // for the box is worked out on the upright picture.
    void exifOrientationIsApplied()
    {
        QImage stored = pictures::plain({600, 300}, Qt::blue);
        QPainter(&stored).fillRect(0, 0, 600, 150, Qt::red); // the top half
        const QString path = dir().filePath(QStringLiteral("exif.jpg"));
        QVERIFY(
            writeFile(path, pictures::withExifOrientation(pictures::encode(stored, "jpeg"), 6)));
        const LoadedPicture picture = PictureLoader::load(path, {100, 100});
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.pictureSize, QSize(300, 600));
        QCOMPARE(picture.image.size(), QSize(50, 100));
        QVERIFY(near(picture.image, {0.8, 0.5}, Qt::red) &&
                near(picture.image, {0.2, 0.5}, Qt::blue));
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
        QVERIFY(writeFile(path, bytes));
        const qint64 needed = PictureLoader::load(path, fitInto).bytesNeeded;
        QVERIFY(needed > 0);

        const auto load = [&](qint64 pixels, qint64 memory) {
            return PictureLoader::load(path, fitInto, {pixels, memory});
        };
        QVERIFY(load(decodedPixels + 1, needed + 1).ok());
        for (const LoadedPicture& refused :
             {load(decodedPixels, needed + 1), load(decodedPixels + 1, needed)}) {
            QVERIFY(!refused.ok() && refused.tooLarge && refused.image.isNull());
        }
    }
};

QTEST_MAIN(TestMediaPictures)
#include "test_media_pictures.moc"
