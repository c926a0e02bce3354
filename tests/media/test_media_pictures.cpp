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
    // planned before decoding; broken files and JPEG endings judged by the decoder.
    void loads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: not written
        QTest::addColumn<QSize>("fitInto");
        QTest::addColumn<QSize>("decoded");  // empty: not compared
        QTest::addColumn<QString>("error");  // part of the reason; null: it loads
        QTest::addColumn<qint64>("atLeast"); // bytes the plan must count
        QTest::addColumn<qint64>("below");   // 0: no bound

        const QSize full, box(300, 400), small(100, 100);
        const auto row = [](const char* label, const QByteArray& bytes, QSize fitInto,
                            QSize decoded = {}, const QString& error = {}, qint64 atLeast = 0,
                            qint64 below = 0) {
            QTest::newRow(label) << "picture.jpg" << bytes << fitInto << decoded << error << atLeast
                                 << below;
        };
        const auto red = [](int width, int height, const char* format) {
            return pictures::encode(pictures::plain({width, height}, Qt::red), format);
        };
        for (const char* format : {"bmp", "jpeg", "png", "ico", "webp", "tiff"})
            row(format, red(40, 20, format), full, {40, 20});
        row("svg", RedSvg, full, {40, 20});
        row("icns", red(64, 64, "icns"), full, {64, 64}); // size known once read
        row("photo reduced", red(3000, 2000, "jpeg"), box, {300, 200});
        row("vector drawn at box size", RedSvg, box, {300, 150});
        row("bitmap reduced", red(1200, 800, "bmp"), box, {300, 200});
        row("bitmap reduced, rounded up", red(333, 1000, "bmp"), box, {134, 400});

        const QByteArray phone = pictures::flatJpeg(12000, 9000, 3);
        row("phone photo, full size", phone, full, {},
            "it is 12000 x 9000 pixels, too many to be shown", qint64(12000) * 9000 * 4);
        row("phone photo decoded at 1/8", phone, box, {}, {}, qint64(1500) * 1125 * 4,
            qint64(8) * 1024 * 1024);
        row("16-bit png of 7000 x 7000", pictures::pngClaiming(7000, 7000, 16), box, {},
            "it is 7000 x 7000 pixels and would need", qint64(7000) * 7000 * 8);
        // A progressive file is decoded from coefficients of the whole picture (4:2:0 here).
        const QByteArray progressive = pictures::detailedJpeg({1600, 1200}, true);
        const qint64 coefficients = qint64(1600) * 1200 * 3;
        row("progressive jpeg", progressive, small, {}, {}, coefficients, coefficients * 4 / 3);
        row("progressive jpeg, fill bytes", pictures::withFillBytes(progressive), small, {}, {},
            coefficients, coefficients * 4 / 3);

        QTest::newRow("folder") << "folder.png" << QByteArray() << small << QSize() << "not a file"
                                << 0ll << 0ll;
        QTest::newRow("missing") << "gone.png" << QByteArray() << small << QSize()
                                 << "does not exist" << 0ll << 0ll;
        row("empty file", QByteArray(""), small, {}, "");
        row("text named .jpg", "Not a picture at all.\n", small, {}, "");
        row("absurd dimensions", pictures::pngClaiming(100000, 100000), small, {},
            "100000 x 100000");
        const QString cutShort = "the file ends before the picture does";
        const QByteArray end("\xFF\xD9", 2);
        const QByteArray whole = pictures::detailedJpeg({320, 240});
        const QByteArray cut = whole.left(whole.size() / 2);
        // An end marker early in the header (as in a thumbnail) makes no cut file whole.
        const QByteArray early =
            QByteArray(whole).insert(2, QByteArray("\xFF\xE2\x00\x04", 4) + end);
        row("whole", whole, small);
        row("data after the end", whole + "TRAILER", small);
        row("fill bytes before markers", pictures::withFillBytes(whole), small);
        row("cut", cut, small, {}, cutShort);
        row("progressive, cut", progressive.left(progressive.size() / 2), small, {}, cutShort);
        row("end marker in the header, cut", early.left(early.size() - 100), small, {}, cutShort);
        row("no end marker", whole.chopped(2), small, {}, cutShort); // as libjpeg's reader takes it
        const QByteArray png = red(300, 200, "png");
        row("png, cut", png.left(png.size() - 40), small, {}, cutShort);
        // Shown as the decoder makes it: the file holds a whole JPEG's markers, and only the
        // decoder's warning (not listened to) tells that the scan data stopped early.
        row("cut, end marker appended", cut + end, small);
    }
    void loads()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, fitInto);
        QFETCH(QSize, decoded);
        QFETCH(QString, error);
        QFETCH(qint64, atLeast);
        QFETCH(qint64, below);
        const QString path = dir().filePath(name);
        QVERIFY(bytes.isNull() || writeFile(path, bytes));
        const int allocationLimit = QImageReader::allocationLimit();
        const LoadedPicture picture = PictureLoader::load(path, fitInto);
        QCOMPARE(QImageReader::allocationLimit(), allocationLimit); // set for the read only
        QCOMPARE(picture.ok(), error.isNull());
        QCOMPARE(picture.image.isNull(), !error.isNull());
        QVERIFY2(picture.error.contains(error) && picture.error.isEmpty() == error.isNull(),
                 qPrintable(picture.error));
        QCOMPARE(picture.tooLarge, error.contains(" x "));
        QVERIFY2(picture.bytesNeeded >= atLeast && (below == 0 || picture.bytesNeeded < below),
                 qPrintable(QString::number(picture.bytesNeeded)));
        if (!decoded.isEmpty()) {
            QCOMPARE(picture.image.size(), decoded);
            QVERIFY(near(picture.image, {0.5, 0.5}, Qt::red));
        } else if (picture.ok()) {
            QVERIFY(fitInto.expandedTo(picture.image.size()) == fitInto);
        }
        if (picture.ok() && !fitInto.isValid()) {
            QCOMPARE(picture.pictureSize, decoded);
            // Decoded at full size: the limits hold exactly at their boundary.
            const qint64 pixels = qint64(decoded.width()) * decoded.height();
            const qint64 needed = picture.bytesNeeded;
            QVERIFY(needed > 0 && PictureLoader::load(path, {}, {pixels + 1, needed + 1}).ok());
            for (const PictureLimits limits :
                 {PictureLimits{pixels, needed + 1}, {pixels + 1, needed}}) {
                const LoadedPicture refused = PictureLoader::load(path, {}, limits);
                QVERIFY(!refused.ok() && refused.tooLarge && refused.image.isNull());
            }
        }
    }

    // A phone photo stored on its side (EXIF orientation 6) is turned upright, and the reduction
    // for the box is worked out on the upright picture.
    void exifOrientationIsApplied()
    {
        QImage stored = pictures::plain({600, 300}, Qt::blue);
        QPainter(&stored).fillRect(0, 0, 600, 150, Qt::red); // the top half
        const QString path = dir().filePath("exif.jpg");
        QVERIFY(
            writeFile(path, pictures::withExifOrientation(pictures::encode(stored, "jpeg"), 6)));
        const LoadedPicture picture = PictureLoader::load(path, {100, 100});
        QCOMPARE(picture.pictureSize, QSize(300, 600));
        QCOMPARE(picture.image.size(), QSize(50, 100));
        QVERIFY(near(picture.image, {0.8, 0.5}, Qt::red) &&
                near(picture.image, {0.2, 0.5}, Qt::blue));
    }
};

QTEST_MAIN(TestMediaPictures)
#include "test_media_pictures.moc"
