// Fit-and-centre: the arithmetic as a pure function, and what a picture box then shows. The
// program runs at a device pixel ratio of 2 here, so that the box's content is checked to be
// held at device resolution.

#include "FitAndCentre.h"
#include "PictureBox.h"

#include <QApplication>
#include <QTest>

namespace {

constexpr qreal Ratio = 2;

QColor pixelAt(const QImage& image, QPointF logical)
{
    const QPoint device = (logical * image.devicePixelRatio()).toPoint();
    return image.pixelColor(device);
}

QString exactly(float value)
{
    return QString::number(double(value), 'g', 9);
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
        QTest::addColumn<bool>("widthRule"); // the box's width is kept, bands above and below

        // The task picture box is 3735 x 5535 twips (aspect 0.6748).
        const QSizeF task(3735, 5535);
        QTest::newRow("landscape") << QSizeF(400, 200) << task << 3735.f << 1867.5f << true;
        QTest::newRow("portrait, narrower than box")
            << QSizeF(100, 400) << task << 1383.75f << 5535.f << false;
        QTest::newRow("exactly the box's proportions")
            << QSizeF(747, 1107) << task << 3735.f << 5535.f << true;
        // Equal proportions where the two rules round differently in float: the height rule
        // would give a width of 15.000001 here, and a height of exactly 29 in the next row.
        QTest::newRow("same proportions, width rule keeps the width")
            << QSizeF(30, 46) << QSizeF(15, 23) << 15.f << 23.f << true;
        QTest::newRow("same proportions, height from the width")
            << QSizeF(42, 58) << QSizeF(21, 29) << 21.f << 29.0000019f << true;
        QTest::newRow("smaller than the box, enlarged")
            << QSizeF(10, 20) << QSizeF(300, 400) << 200.f << 400.f << false;
        QTest::newRow("one pixel wide")
            << QSizeF(1, 500) << QSizeF(300, 400) << 0.8f << 400.f << false;
        QTest::newRow("one pixel high")
            << QSizeF(500, 1) << QSizeF(300, 400) << 300.f << 0.6f << true;
        QTest::newRow("square into wide box")
            << QSizeF(50, 50) << QSizeF(400, 100) << 100.f << 100.f << false;
    }
    void fitsAndCentres()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, box);
        QFETCH(float, fitWidth);
        QFETCH(float, fitHeight);
        QFETCH(bool, widthRule);

        const FitResult fit = fitAndCentre(picture, box);
        QCOMPARE(fit.pictureAspect, float(picture.width() / picture.height()));
        // Exact: the arithmetic is float by float, in the documented order.
        QVERIFY2(fit.fitWidth == fitWidth, qPrintable(exactly(fit.fitWidth)));
        QVERIFY2(fit.fitHeight == fitHeight, qPrintable(exactly(fit.fitHeight)));
        // The rule taken keeps that side of the box exactly; the bands go on the other sides.
        if (widthRule) {
            QVERIFY(fit.fitWidth == float(box.width()));
            QVERIFY(fit.left == 0);
        } else {
            QVERIFY(fit.fitHeight == float(box.height()));
            QVERIFY(fit.top == 0);
        }
        // Equal bands: what is left of the box on each side.
        QCOMPARE(fit.left, float(box.width()) - (fit.left + fit.fitWidth));
        QCOMPARE(fit.top, float(box.height()) - (fit.top + fit.fitHeight));
        QCOMPARE(fit.rect(), QRectF(fit.left, fit.top, fit.fitWidth, fit.fitHeight));
    }

    void boxShowsPictureBetweenBackgroundBands_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");

        QTest::newRow("landscape") << QSize(400, 200) << QSize(200, 300);
        QTest::newRow("portrait") << QSize(100, 400) << QSize(200, 300);
        QTest::newRow("smaller than the box") << QSize(10, 5) << QSize(200, 300);
    }
    void boxShowsPictureBetweenBackgroundBands()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QWidget window;
        auto* pictureBox = new PictureBox(&window);
        pictureBox->setGeometry(QRect(QPoint(10, 10), box));
        const QColor background = pictureBox->palette().color(pictureBox->backgroundRole());
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::red);

        // Painted before it is ever shown, at its designed size.
        const FitResult fit = pictureBox->paintFitted(image, QSizeF(picture));
        QCOMPARE(pictureBox->content().size(), box * Ratio);
        QCOMPARE(pictureBox->content().devicePixelRatio(), Ratio);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        pictureBox->hide();
        pictureBox->show();
        pictureBox->repaint();
        const QImage seen = pictureBox->grab().toImage();
        QCOMPARE(seen.size(), box * Ratio);

        const QRectF painted = fit.rect();
        QCOMPARE(pixelAt(seen, painted.center()), QColor(Qt::red));
        // The middle of each band, where there is one, is background.
        if (painted.left() >= 2) {
            QCOMPARE(pixelAt(seen, {painted.left() / 2, painted.center().y()}), background);
            QCOMPARE(pixelAt(seen, {box.width() - painted.left() / 2, painted.center().y()}),
                     background);
        }
        if (painted.top() >= 2) {
            QCOMPARE(pixelAt(seen, {painted.center().x(), painted.top() / 2}), background);
            QCOMPARE(pixelAt(seen, {painted.center().x(), box.height() - painted.top() / 2}),
                     background);
        }
        QVERIFY(painted.left() >= 2 || painted.top() >= 2);
    }

    void paintingAgainClearsThePreviousPicture()
    {
        PictureBox box;
        box.resize(200, 300);
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        QImage tall(100, 400, QImage::Format_RGB32);
        tall.fill(Qt::red);
        box.paintFitted(wide, QSizeF(wide.size()));
        const FitResult fit = box.paintFitted(tall, QSizeF(tall.size()));
        // Where the wide picture was, outside the tall one: background again.
        const QColor background = box.palette().color(box.backgroundRole());
        QCOMPARE(pixelAt(box.content(), {fit.left / 2, 150}), background);
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
