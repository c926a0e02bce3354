// A saved report opened again: every golden report starts the road with its employee details and
// drawings and saves back byte for byte; every broken report gives one message and an empty road.

#include "CautionStatement.h"
#include "CommandLine.h"
#include "EmployeeDetails.h"
#include "FolderList.h"
#include "Main2.h"
#include "ReportReader.h"
#include "Save.h"
#include "SavedReport.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"
#include "WindowTest.h"
#include "Windows1252.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The report with line `line` (from 1) replaced.
QByteArray withLine(QByteArray report, int line, const QByteArray& text)
{
    QList<QByteArray> lines = report.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

class TestReopen : public WindowTest
{
    Q_OBJECT

private slots:
    void goldenReportSavesBack_data()
    {
        QTest::addColumn<QString>("report");
        const QStringList reports =
            QDir(QStringLiteral(VESK_TEST_DATA)).entryList({QStringLiteral("report-*.txt")});
        QVERIFY(reports.size() >= 5);
        for (const QString& report : reports)
            QTest::newRow(qPrintable(report)) << report;
    }
    void goldenReportSavesBack()
    {
        QFETCH(QString, report);
        const QByteArray saved = dataFile(report);
        // As the desktop entry starts the program on a report.
        const auto opened =
            savedreport::open(commandline::parse({"vesk", dataPath(report)}).report);
        QVERIFY(opened);
        road->startFrom(*opened);
        QCOMPARE(seams.messages, QStringList());

        road->start();
        road->caution().Command1->click();
        road->details().Command1->click(); // filled in from the report
        walk::toResults(*road).Command1->click();
        QCOMPARE(seams.messages, QStringList());
        road->riskLevel().Command7->click();
        Save& save = road->save();

        QTemporaryDir folder;
        QVERIFY(save.Dir1->setPath(folder.path()));
        save.Text1->setText(QStringLiteral("Again"));
        save.Command1->click();
        QVERIFY(seams.messages.size() == 1 && seams.messages[0].startsWith("File Saved\n\n"));
        // Details never confirmed are confirmed empty on the way: the lines get their quotes.
        QByteArray expected = saved;
        if (report == QLatin1String("report-no-employee.txt"))
            expected.replace(":\"\r\n\r\n", ":\"\r\n\"\"\r\n");
        QCOMPARE(readAll(folder.filePath("Again VESK Analysis.txt")), expected);
    }

    // A report whose line ends a tool changed to line feeds alone is the same report.
    void lineFeedsAloneReadAsTheSameReport()
    {
        const QByteArray saved = dataFile("report-non-ascii.txt");
        const auto asSaved = report::parseReport(saved).assessment;
        QVERIFY(asSaved && asSaved->employee());
        QVERIFY(report::parseReport(QByteArray(saved).replace("\r\n", "\n")).assessment == asSaved);
    }

    void brokenReportStartsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray full = dataFile("report-full.txt");
        QTest::newRow("129 lines") << full + "\r\n" << QStringLiteral("It has 129 lines");
        QTest::newRow("caption changed")
            << withLine(full, 41, "\"Trunk - Option 6\"") << "Line 41 should read";
        QTest::newRow("two base options")
            << withLine(full, 34, "\"True\"")
            << "Line 38 chooses \"Trunk - Option 3\" as well as \"Trunk - Option 1\"";
        QTest::newRow("both knee options")
            << withLine(withLine(full, 54, "\"True\""), 56, "\"True\"")
            << "Line 56 chooses \"Legs - Option 4\"";
        QTest::newRow("no trunk posture")
            << withLine(full, 38, "\"False\"") << "Lines 34 to 40 choose none";
        QTest::newRow("a score that is no number")
            << withLine(full, 22, "three") << "Line 22 should hold a score";
        QTest::newRow("a carriage return alone")
            << QByteArray(full).replace("\r\n", "\r") << "Line 1 holds a control character";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << "Line 2 holds a control character";
        QTest::newRow("missing file") << QByteArray("<missing>") << "There is no such file.";
        QTest::newRow("folder") << QByteArray("<folder>") << "It is a folder";
        QTest::newRow("named pipe") << QByteArray("<fifo>") << "It is not a file but a pipe";
        QTest::newRow("links in a loop") << QByteArray("<loop>") << "It cannot be read: Too many";
    }
    void brokenReportStartsEmpty()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString path = folder.filePath("Anna VESK Analysis.txt");
        if (content == "<folder>") {
            QVERIFY(QDir().mkdir(path));
        } else if (content == "<fifo>") {
            QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
        } else if (content == "<loop>") {
            QVERIFY(QFile::link(path + "2", path) && QFile::link(path, path + "2"));
        } else if (content != "<missing>") {
            QVERIFY(writeFile(path, content));
        }
        QVERIFY(!savedreport::open(path));
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY2(seams.messages[0].startsWith(
                     "The saved assessment \"Anna VESK Analysis.txt\" cannot be opened.\n\n") &&
                     seams.messages[0].contains(message),
                 qPrintable(seams.messages[0]));
    }
};

QTEST_MAIN(TestReopen)
#include "test_reopen.moc"
