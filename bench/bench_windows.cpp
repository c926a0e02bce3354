// Timings of the windows, offscreen: start-up of the real program, Continue to the posture
// selection window painted, a drawing click, View Results to the caution statement shown, and
// the peak memory of walking the whole road. Each is printed with a baseline measured in the
// same run where one applies.

#include "BenchTable.h"
#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "Main2.h"
#include "Platform.h"
#include "ReportFields.h"
#include "ReportFiles.h"
#include "Road.h"
#include "Seams.h"
#include "SvgPicture.h"
#include "VESKResults.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList WorkedExample = {"trunk3", "neck2",   "leg2",    "Image9",   "Image104",
                                   "Image1", "Image3",  "Image98", "Image110", "Image6",
                                   "Image8", "Image15", "Image17"};

void clickDrawing(Main2& main2, const QString& name)
{
    auto* drawing = main2.findChild<SvgPicture*>(name);
    for (const OptionSpec& option : Options) {
        if (QLatin1String(option.drawing.data(), qsizetype(option.drawing.size())) == name)
            main2.SSTab2->setCurrentIndex(option.tab);
    }
    QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
}

Main2& reachPostureSelection(Road& road)
{
    road.start();
    road.caution().Command1->click();
    road.details().Command1->click();
    return road.main2();
}

// A plain window with as many picture widgets as the posture selection window: 45 drawings
// (Qt's own SVG widget, each parsing its file) on five tabs, plus the buttons.
void bareWindowWithPictures()
{
    QWidget window;
    window.resize(1018, 721);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(264, 0, 745, 721);
    for (int tab = 0; tab < 5; ++tab)
        tabs->addTab(new QWidget, QStringLiteral("Tab %1").arg(tab + 1));
    for (const OptionSpec& option : Options) {
        auto* frame = new QWidget(tabs->widget(option.tab));
        frame->setGeometry(option.frameRect.left / 15, option.frameRect.top / 15,
                           option.frameRect.width / 15, option.frameRect.height / 15);
        auto* picture = new QSvgWidget(QString::fromUtf8(option.artwork), frame);
        picture->setGeometry(frame->rect().adjusted(8, 8, -8, -8));
    }
    for (int i = 0; i < 7; ++i)
        (new QPushButton(QStringLiteral("Button"), &window))->setGeometry(8, 16 + 60 * i, 121, 49);
    window.show();
    window.grab();
}

Sample processStart(const QString& program, int runs)
{
    return measure(runs, [&] {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VESK_QUIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("%s did not quit after its first paint", qPrintable(program));
    });
}

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// The whole road in this process, for its peak memory (run in a child of its own).
int walkTheRoad()
{
    QTemporaryDir recoveries;
    Road road(recoveries.path());
    Main2& main2 = reachPostureSelection(road);
    main2.grab();
    for (const QString& name : WorkedExample)
        clickDrawing(main2, name);
    main2.Command2->click();
    road.caution().Command1->click();
    road.results().grab();
    road.results().Command1->click();
    std::printf("%ld\n", peakMemoryKiB());
    return 0;
}

// Continue to the posture selection window painted, in a process of its own so that every
// drawing is read from its file as at a real start (run in a child).
int continueToPostureWindow()
{
    QTemporaryDir recoveries;
    Road road(recoveries.path());
    road.start();
    road.caution().Command1->click();
    QElapsedTimer timer;
    timer.start();
    road.details().Command1->click();
    road.main2().grab();
    std::printf("%f\n", elapsedMs(timer));
    return 0;
}

double childMs(const QString& argument)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {argument});
    child.waitForFinished(60000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::registerFontSubstitutes();
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest&) { return false; };
    seams->endProgram = [] {};
    if (app.arguments().contains(QStringLiteral("--walk-the-road")))
        return walkTheRoad();
    if (app.arguments().contains(QStringLiteral("--continue")))
        return continueToPostureWindow();
    const QString folder = QCoreApplication::applicationDirPath();

    printHeader();
    const Sample bareStart = processStart(folder + QStringLiteral("/bare_window"), 15);
    const Sample start = processStart(folder + QStringLiteral("/../src/app/vesk"), 15);
    printRow("start to the caution statement painted", start, bareStart, "<= 1.2x");

    const Sample bare = measure(15, bareWindowWithPictures);
    const Sample toMain2 = measureTimed(15, [] { return childMs(QStringLiteral("--continue")); });
    printRow("Continue to the posture window painted", toMain2, bare, "<= 1.3x");

    QTemporaryDir recoveries;
    auto road = std::make_unique<Road>(recoveries.path());
    Main2& main2 = reachPostureSelection(*road);
    main2.grab();
    auto* drawing = main2.findChild<SvgPicture*>(QStringLiteral("trunk5"));
    const Sample click = measure(
        2001, [&] { QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center()); });
    printRow("a drawing click (handler and event)", click, {}, "< 1 ms");

    const Sample viewResults = measureTimed(15, [&road, &recoveries] {
        road = std::make_unique<Road>(recoveries.path());
        Main2& window = reachPostureSelection(*road);
        for (const QString& name : WorkedExample)
            clickDrawing(window, name);
        QElapsedTimer timer;
        timer.start();
        window.Command2->click();
        road->caution().grab();
        return elapsedMs(timer);
    });
    printRow("View Results to the caution statement shown", viewResults, {}, "-");

    // Saving: both files through the writer (temporary files, flush, renames) against writing
    // the same bytes to two files with QSaveFile.
    const report::ReportTable fields = report::ReportFields(road->assessment());
    QTemporaryDir saveFolder;
    const auto written =
        reportfiles::pathsFor(saveFolder.path(), QStringLiteral("Bench VESK Analysis"));
    const Sample save = measure(25, [&] {
        if (!reportfiles::writeBoth(saveFolder.path(), QStringLiteral("Bench VESK Analysis"),
                                    fields)
                 .saved)
            qFatal("the save failed");
    });
    QByteArray reportBytes, databaseBytes;
    for (auto [path, bytes] :
         {std::pair{written.report, &reportBytes}, std::pair{written.database, &databaseBytes}}) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        *bytes = file.readAll();
    }
    const Sample plainSave = measure(25, [&] {
        for (auto [name, bytes] :
             {std::pair{"plain.txt", &reportBytes}, std::pair{"plain.mdb", &databaseBytes}}) {
            QSaveFile file(saveFolder.filePath(QString::fromLatin1(name)));
            file.open(QIODevice::WriteOnly);
            file.write(*bytes);
            file.commit();
        }
    });
    printRow("WriteReportFiles (both files, flush, rename)", save, plainSave, "<= 3x");

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--walk-the-road")});
    child.waitForFinished(60000);
    const double peakMiB = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    printRow("peak memory of the whole road", {peakMiB, peakMiB, peakMiB}, {}, "< 60 MB", "MB");
    return 0;
}
