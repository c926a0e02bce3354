// Fit-and-centre: the float arithmetic exactly, and what a picture box then holds. The program
// runs at a device pixel ratio of 2, so the box's content must be kept at device resolution.

#include "FitAndCentre.h"
#include "PictureBox.h"
#include "PictureFiles.h"

#include <QApplication>
#include <QTest>

namespace {

constexpr qreal Ratio = 2;

QColor pixelAt(const QImage& image, QPointF logical)
{
    return image.pixelColor((logical * image.devicePixelRatio()).toPoint());
}

} // namespace

class TestMediaFit : public QObject
{
    Q_OBJECT

private slots:
    void fitsAndCentres_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("box");
        QTest::addColumn<float>("fitWidth");
        QTest::addColumn<float>("fitHeight");

        const QSizeF task(3735, 5535);
        QTest::newRow("landscape") << QSizeF(400, 200) << task << 3735.f << 1867.5f;
        QTest::newRow("portrait") << QSizeF(100, 400) << task << 1383.75f << 5535.f;
        QTest::newRow("box's proportions") << QSizeF(747, 1107) << task << 3735.f << 5535.f;
        // Equal proportions where the two rules round differently in float: the width rule
        // is taken, its height worked out from the width.
        QTest::newRow("equal, width kept") << QSizeF(30, 46) << QSizeF(15, 23) << 15.f << 23.f;
        QTest::newRow("equal, height from width")
            << QSizeF(42, 58) << QSizeF(21, 29) << 21.f << 29.0000019f;
        QTest::newRow("enlarged") << QSizeF(10, 20) << QSizeF(300, 400) << 200.f << 400.f;
    }
    void fitsAndCentres()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, box);
        QFETCH(float, fitWidth);
        QFETCH(float, fitHeight);
        const FitResult fit = fitAndCentre(picture, box);
        QVERIFY2(fit.fitWidth == fitWidth && fit.fitHeight == fitHeight,
                 qPrintable(QString::asprintf("%.9g x %.9g", double(fit.fitWidth),
                                              double(fit.fitHeight))));
        QVERIFY(fit.left == (float(box.width()) - fitWidth) / 2);
        QVERIFY(fit.top == (float(box.height()) - fitHeight) / 2);
    }

    void boxHoldsThePictureBetweenBands()
    {
        PictureBox box;
        box.resize(200, 300);
        const QColor background = box.palette().color(box.backgroundRole());
        const QImage wide = pictures::plain({400, 100}, Qt::blue);
        const QImage tall = pictures::plain({100, 400}, Qt::red);
        // Painted before it is ever shown; painting again clears the wide picture.
        box.paintFitted(wide, QSizeF(wide.size()));
        const QRectF painted = box.paintFitted(tall, QSizeF(tall.size())).rect();
        QCOMPARE(box.content().size(), QSize(200, 300) * Ratio);
        QCOMPARE(box.content().devicePixelRatio(), Ratio);

        QCOMPARE(pixelAt(box.content(), painted.center()), QColor(Qt::red));
        for (const qreal x : {painted.left() / 2, 200 - painted.left() / 2})
            QCOMPARE(pixelAt(box.content(), {x, 150}), background);
        box.clear();
        QVERIFY(box.content().isNull());
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Ratio));
    QApplication app(argc, argv);
    TestMediaFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_media_fit.moc"
