// The printed worksheet, from the command line and from the results window: one page whose text
// holds every value and word of the report, each score in its box, and a worksheet that shows.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "FaultySystem.h"
#include "Main2.h"
#include "SavedReport.h"
#include "VESKResults.h"
#include "WindowTest.h"
#include "Windows1252.h"
#include "Worksheet.h"
#include "WorksheetPage.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<QByteArray> reportLines(const QString& report)
{
    return dataFile(report).split('\n');
}

// Line n (from 1) of the report, without its quotes and line end.
QString entry(const QList<QByteArray>& lines, int n)
{
    return fromWindows1252(lines.value(n - 1).chopped(1).toStdString()).remove('"');
}

} // namespace

class TestPrint : public WindowTest
{
    Q_OBJECT

private slots:
    // A page that cannot be written whole (the disk full) is said, and an older page of that
    // name stays as it was: from the writer of --pdf and from Print to File.
    void aFullDiskKeepsTheOlderPage()
    {
        QTemporaryDir folder;
        const QString page = folder.filePath("page.pdf");
        QFile older(page);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older page") == 10);
        older.close();
        const auto saved = savedreport::open(dataPath("report-full.txt"));
        QVERIFY(saved);
        {
            FaultySystem faults;
            faults.failStep(2, ENOSPC); // the first write
            const QString failure =
                worksheetpage::writePdf(page, worksheetpage::fromAssessment(*saved, {}));
            QVERIFY2(failure.endsWith("No space left on device"), qPrintable(failure));
        }
        QCOMPARE(readAll(page), QByteArray("older page"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"page.pdf"});

        seams->printDialog = [](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QStringLiteral("/dev/full"));
            return true;
        };
        walk::clickDrawings(walk::toPostureSelection(*road), walk::WorkedExample);
        walk::toResults(*road).Command3->click();
        QVERIFY2(seams.messages.value(0).endsWith("No space left on device"),
                 qPrintable(seams.messages.value(0)));
    }

    void pageHoldsTheAssessment_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("fromWindow");
        QTest::newRow("command line") << "report-full.txt" << false;
        QTest::newRow("command line, Windows-1252") << "report-non-ascii.txt" << false;
        QTest::newRow("Print on the results window") << "report-road.txt" << true;
    }
    void pageHoldsTheAssessment()
    {
        QFETCH(QString, report);
        QFETCH(bool, fromWindow);
        const QString path = dataPath(report);
        QTemporaryDir folder;
        const QString pdf = folder.filePath("page.pdf");
        // The results window of the same report shows the scores the page must show.
        road->startFrom(*savedreport::open(path));
        road->start();
        road->caution().Command1->click();
        road->details().Command1->click();
        VESKResults& results = walk::toResults(*road);
        if (fromWindow) {
            seams->printDialog = [&](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                printer.setPageSize(QPageSize(QPageSize::A4));
                return true;
            };
            results.Command3->click();
            QCOMPARE(seams.messages, QStringList());
        } else {
            QCOMPARE(run(QStringLiteral(VESK_PROGRAM), {"--pdf", path, pdf}), QString());
        }

        QVERIFY(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
        const QString text = run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        const QList<QByteArray> lines = reportLines(report);
        QCOMPARE(lines.size(), 129);
        QStringList expected;
        for (int n : {124, 126, 128})
            expected << entry(lines, n);
        for (int n : {1, 3, 11, 13})
            expected << entry(lines, n) + ": " + entry(lines, n + 1);
        for (int n = 34; n <= 122; n += 2) {
            if (entry(lines, n) == QLatin1String("True"))
                expected << entry(lines, n - 1);
        }
        for (const QString& word : expected)
            QVERIFY2(text.contains(word), qPrintable(word + " missing from\n" + text));

        // Every score stands in its box of the worksheet.
        const QString boxes = run("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
        const QRegularExpression word(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        const QRectF worksheet = worksheetpage::worksheetRect(QSizeF(595, 842));
        for (int i = 0; i < int(worksheet::ValueBoxes.size()); ++i) {
            const QRectF box = worksheetpage::valueBox(i, worksheet);
            QStringList inBox;
            for (const auto& match : word.globalMatch(boxes)) {
                const QPointF centre(
                    (match.captured(1).toDouble() + match.captured(3).toDouble()) / 2,
                    (match.captured(2).toDouble() + match.captured(4).toDouble()) / 2);
                if (box.contains(centre))
                    inBox << match.captured(5);
            }
            const QString label = QString::fromLatin1(worksheet::ValueBoxes[std::size_t(i)].label);
            const QString value = results.valueLabel(label)->text();
            QVERIFY2(inBox == QStringList{value},
                     qPrintable(
                         QStringLiteral("%1 holds %2, not %3").arg(label, inBox.join(' '), value)));
        }

        // At 100 dpi the worksheet's lines are there to see.
        run("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, folder.filePath("page")});
        const QImage page(folder.filePath("page.png"));
        QVERIFY(!page.isNull());
        const QRect area =
            QTransform::fromScale(100.0 / 72, 100.0 / 72).mapRect(worksheet).toRect();
        int inked = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                inked += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
        QVERIFY2(inked > area.width() * area.height() / 50, qPrintable(QString::number(inked)));
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
