// Walks the road offscreen and saves a picture of every window on the way, for looking at the
// layout (run it with QT_SCALE_FACTOR=2 for high-DPI screens). Given a saved report, the road
// starts from it, and the results and risk levels show the change since.
// Usage: take_screenshots <folder> [report]

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "ExtraPics.h"
#include "FileList.h"
#include "FolderList.h"
#include "HelpWindow.h"
#include "Main2.h"
#include "MeasurePicture.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "OverwriteFile.h"
#include "Platform.h"
#include "Road.h"
#include "Save.h"
#include "SavedReport.h"
#include "Seams.h"
#include "SvgPicture.h"
#include "VESKOverview.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString folder;

// A picture with a sky, a floor and a figure, so that fitting and centring can be seen.
void writePicture(const QString& path, QSize size, QColor figure)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(image.rect(), sky);
    painter.fillRect(QRect(0, size.height() * 3 / 4, size.width(), size.height() / 4),
                     QColor(150, 120, 90));
    painter.setBrush(figure);
    painter.drawEllipse(QPoint(size.width() / 2, size.height() / 3), size.height() / 10,
                        size.height() / 10);
    painter.drawRect(size.width() / 2 - size.height() / 16, size.height() * 2 / 5,
                     size.height() / 8, size.height() * 7 / 20);
    painter.end();
    image.save(path, "JPEG");
}

void choose(PictureChooser& chooser, const QString& pictures, const QString& name)
{
    chooser.Dir1->setPath(pictures);
    for (int i = 0; i < chooser.File1->ListCount(); ++i) {
        if (chooser.File1->List(i) == name)
            chooser.File1->setListIndex(i);
    }
    emit chooser.File1->Click();
}

void save(QWidget& window, const QString& name)
{
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().size() < 2)
        return 2;
    folder = app.arguments().at(1);
    platform::registerFontSubstitutes();
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest&) { return false; };
    seams->endProgram = [] {};
    QHash<QString, QString> foldersOfThisRun; // the user's remembered folders stay as they are
    seams->rememberedFolders = &foldersOfThisRun;
    // A full-HD screen, as a person would have it.
    seams->availableArea = QSize(1904, 1000);

    QTemporaryDir recoveries;
    Road road(recoveries.path());
    if (app.arguments().size() > 2) {
        if (const auto saved = savedreport::open(app.arguments().at(2)))
            road.startFrom(*saved);
    }
    road.start();
    save(road.caution(), QStringLiteral("caution"));
    road.caution().Command1->click();
    EmployeeDetails& details = road.details();
    // What a saved report filled in is typed over.
    for (QLineEdit* box : {details.Text1, details.Text2, details.Text3})
        box->clear();
    QTest::keyClicks(details.Text1, QStringLiteral("Anna O'Brien"));
    QTest::keyClicks(details.Text2, QStringLiteral("E-1234"));
    QTest::keyClicks(details.Text3, QStringLiteral("Hall B"));
    save(details, QStringLiteral("employee"));
    details.Command1->click();

    Main2& main2 = road.main2();
    main2.resize(main2.toPixels(15270), main2.toPixels(10815));
    const QStringList choices = {"trunk3",   "trunk5",  "neck2",   "leg2",    "leg3",     "Image9",
                                 "Image104", "Image1",  "Image3",  "Image98", "Image110", "Image6",
                                 "Image8",   "Image15", "Image17", "Image100"};
    for (const QString& name : choices) {
        for (const OptionSpec& option : Options) {
            if (QLatin1String(option.drawing.data(), qsizetype(option.drawing.size())) == name)
                main2.SSTab2->setCurrentIndex(option.tab);
        }
        auto* drawing = main2.findChild<SvgPicture*>(name);
        QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
    }
    for (int tab = 0; tab < 5; ++tab) {
        main2.SSTab2->setCurrentIndex(tab);
        save(main2, QStringLiteral("posture-tab%1").arg(tab + 1));
    }
    main2.SSTab2->setCurrentIndex(0);

    QTemporaryDir pictures;
    writePicture(pictures.filePath("landscape.jpg"), QSize(1200, 800), Qt::darkRed);
    writePicture(pictures.filePath("portrait.jpg"), QSize(600, 900), Qt::darkGreen);
    writePicture(pictures.filePath("wide.jpg"), QSize(1600, 500), Qt::darkBlue);
    main2.Command3->click();
    OpenPictureFile& taskChooser = road.pictureChooser();
    choose(taskChooser, pictures.path(), QStringLiteral("landscape.jpg"));
    save(taskChooser, QStringLiteral("task-picture-chooser"));
    taskChooser.cmdOpen->click();
    save(main2, QStringLiteral("posture-with-task-picture"));
    // The task picture measured: one of the rendered figures of the tests.
    if (qEnvironmentVariableIsEmpty("VESK_POSE_MODELS"))
        qputenv("VESK_POSE_MODELS", VESK_POSE_MODEL_DIR);
    main2.Command3->click();
    choose(taskChooser, QStringLiteral(VESK_SOURCE_DIR "/tests/data/pose"),
           QStringLiteral("side-05.jpg"));
    taskChooser.cmdOpen->click();
    main2.cmdMeasure->click();
    MeasurePicture& measured = road.measurePicture();
    QElapsedTimer waited;
    waited.start();
    while (measured.Busy->isVisible() && waited.elapsed() < 60000)
        QTest::qWait(50);
    save(measured, QStringLiteral("measure"));
    measured.hide();
    main2.Command1->click();
    OpenExtraPics& extraChooser = road.extraPictureChooser();
    for (const char* name : {"portrait.jpg", "landscape.jpg", "wide.jpg"}) {
        main2.Command1->click();
        choose(extraChooser, pictures.path(), QString::fromLatin1(name));
        extraChooser.cmdOpen->click();
    }
    save(road.extraPictures(), QStringLiteral("extra-pictures"));
    road.extraPictures().hide();

    main2.Command6->click();
    save(road.overview(), QStringLiteral("overview"));

    main2.Command2->click();
    road.caution().Command1->click();
    VESKResults& results = road.results();
    results.resize(results.toPixels(15270), results.toPixels(11145));
    save(results, QStringLiteral("results"));
    results.Command1->click();
    VESKRiskLevel& risk = road.riskLevel();
    risk.resize(risk.toPixels(14085), risk.toPixels(9930));
    save(risk, QStringLiteral("risk-level"));
    risk.Command7->click();
    Save& saveDialog = road.save();
    save(saveDialog, QStringLiteral("save"));
    QFile(saveDialog.Dir1->Path() + QStringLiteral("/Anna O'Brien VESK Analysis.txt"))
        .open(QIODevice::WriteOnly);
    saveDialog.Command1->click();
    save(road.overwrite(), QStringLiteral("overwrite"));
    QFile::remove(saveDialog.Dir1->Path() + QStringLiteral("/Anna O'Brien VESK Analysis.txt"));
    seams->programFolder = QStringLiteral(VESK_SOURCE_DIR "/assets/help");
    risk.Command3->click();
    save(*helpWindow(), QStringLiteral("help"));
    return 0;
}
