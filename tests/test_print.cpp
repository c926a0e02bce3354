// The printed pages, read back with tools nobody here wrote: pdftotext puts every text where the
// page's layout says and nothing over anything else, pdftoppm shows the drawings and the task
// picture drawn, pdfimages gives the picture's resolution. Extreme choices stay on one page; the
// help and the page quote one table of risk levels; --compare and --csv from the golden reports.

#include "CautionStatement.h"
#include "ComparisonPage.h"
#include "EmployeeDetails.h"
#include "FaultySystem.h"
#include "Main2.h"
#include "OpenPictureFile.h"
#include "Platform.h"
#include "ReportReader.h"
#include "RiskLevel.h"
#include "SavedReport.h"
#include "VESKResults.h"
#include "WindowTest.h"
#include "Windows1252.h"
#include "WorksheetPage.h"
#include "media/PictureFiles.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <functional>

#include <cerrno>

namespace {

const QString Vesk = QStringLiteral(VESK_PROGRAM);

struct Word
{
    QRectF box;
    QString text;
};

// The words of a one-page PDF file where pdftotext finds them, in points.
QList<Word> wordsOf(const QString& pdf)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    const QString boxes = runProgram("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"}).out;
    for (const auto& match : word.globalMatch(boxes)) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({QRectF(topLeft, bottomRight),
                      QTextDocumentFragment::fromHtml(match.captured(5)).toPlainText()});
    }
    return words;
}

// Text as pdftotext gives it back: no spaces or line breaks, ligatures taken apart.
QString joined(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC)
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

// What is wrong with a page: a text not where the layout puts it (the words whose middles lie
// in its rectangle, run together, are its text), anything outside the margins, two things over
// each other, a text under 8 points.
QStringList faultsOf(const PageLayout& layout, const QList<Word>& words,
                     const QStringList& unchecked = {})
{
    QStringList faults;
    const QRectF inside = QRectF(QPointF(0, 0), layout.page()).adjusted(35, 35, -35, -35);
    const auto& items = layout.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const PageItem& item = items[i];
        if (!inside.contains(item.rect))
            faults << item.role + " stands outside the margins";
        if (item.kind == PageItem::Kind::Text && item.font.pointSizeF() < 8)
            faults << item.role + " is smaller than 8 pt";
        if (item.kind == PageItem::Kind::Text && !unchecked.contains(item.role)) {
            QString found;
            for (const Word& word : words) {
                if (item.rect.adjusted(-1, -1, 1, 1).contains(word.box.center()))
                    found += word.text;
            }
            if (joined(found) != joined(item.text))
                faults << QStringLiteral("%1 holds \"%2\", not \"%3\"")
                              .arg(item.role, found, item.text);
        }
        if (item.kind == PageItem::Kind::Fill || item.kind == PageItem::Kind::Frame)
            continue;
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            const PageItem& other = items[j];
            const bool onWorksheet = item.role == QLatin1String("worksheet") &&
                                     other.role.startsWith(QLatin1String("value "));
            const QRectF overlap = item.rect.intersected(other.rect);
            if (other.kind != PageItem::Kind::Fill && other.kind != PageItem::Kind::Frame &&
                !onWorksheet && overlap.width() * overlap.height() > 0.5)
                faults << item.role + " overlaps " + other.role;
        }
    }
    return faults;
}

// The page at 100 dpi, and the share of a rectangle (in points) that is not white.
QImage pageImage(const QString& pdf, const QString& folder)
{
    runProgram("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, folder + "/page"});
    return QImage(folder + "/page.png");
}

double inked(const QImage& page, const QRectF& points)
{
    const QRect area = QTransform::fromScale(100.0 / 72, 100.0 / 72).mapRect(points).toRect();
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(page.pixel(x, y)) < 200 ? 1 : 0;
    }
    return double(dark) / std::max(1, area.width() * area.height());
}

// Writes a page as the program does, at 600 dpi, on paper of `size`; returns its layout.
PageLayout writePage(const QString& pdf, QPageSize::PageSizeId size,
                     const std::function<PageLayout(const QPaintDevice&, QSizeF)>& layOut)
{
    QPdfWriter writer(pdf);
    writer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(600);
    PageLayout layout = layOut(writer, paperSize(writer));
    paintPage(writer, layout);
    return layout;
}

// For each region its base drawing with the longest words (or the shortest), then with `all`
// every drawing that adds to a score: the most a page must hold.
Assessment extreme(bool longest, bool all)
{
    Assessment assessment;
    for (int region = 0; region < RegionCount; ++region) {
        int pick = -1;
        for (int option = 0; option < OptionCount; ++option) {
            const OptionSpec& row = Options[std::size_t(option)];
            if (int(row.region) != region || row.kind != OptionKind::Base)
                continue;
            const auto length = row.words.size();
            if (pick < 0 || (longest ? length > Options[std::size_t(pick)].words.size()
                                     : length < Options[std::size_t(pick)].words.size()))
                pick = option;
        }
        if (pick >= 0) // the activities have no base drawing
            assessment.choose(pick);
    }
    for (int option = 0; all && option < OptionCount; ++option) {
        const OptionSpec& row = Options[std::size_t(option)];
        if (row.kind != OptionKind::Base && !(row.kind == OptionKind::Knee && row.option == 3))
            assessment.choose(option);
    }
    return assessment;
}

// A report the strict reader refuses at its line 45, in `folder`.
QString brokenReport(const QString& folder)
{
    const QString path = folder + "/Broken VESK Analysis.txt";
    writeFile(path, dataFile("report-full.txt").replace("\"Neck - Option 2\"", "\"Neck\""));
    return path;
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
        QVERIFY(writeFile(page, "older page"));
        const auto saved = savedreport::open(dataPath("report-full.txt"));
        QVERIFY(saved);
        {
            FaultySystem faults;
            faults.failStep(2, ENOSPC); // the first write
            const QString failure =
                worksheetpage::writePdf(page, worksheetpage::printedNow(*saved));
            QVERIFY2(failure.endsWith("No space left on device"), qPrintable(failure));
        }
        QCOMPARE(readAll(page), QByteArray("older page"));
        QCOMPARE(entriesOf(folder.path()), QStringList{"page.pdf"});

        seams->printDialog = [](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QStringLiteral("/dev/full"));
            return true;
        };
        walk::clickDrawings(walk::toPostureSelection(*road), WorkedExample);
        walk::toResults(*road).Command3->click();
        QVERIFY2(seams.messages.value(0).endsWith("No space left on device"),
                 qPrintable(seams.messages.value(0)));
    }

    void initTestCase()
    {
        // Local time is not UTC here, so a date printed in UTC shows.
        qputenv("TZ", "Europe/Berlin");
        platform::registerFontSubstitutes();
    }

    void pageIsLaidOutAsPrinted_data()
    {
        QTest::addColumn<Assessment>("now");
        QTest::addColumn<std::optional<Assessment>>("earlier");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("paper");
        const Assessment most = extreme(true, true);
        const Assessment fewest = extreme(false, false);
        const QString longest(200, u'W');
        QTest::newRow("most drawings, longest words, A4")
            << most << std::optional<Assessment>() << "" << QSize() << int(QPageSize::A4);
        QTest::newRow("all changed, wide picture, Letter")
            << most << std::optional(fewest) << "" << QSize(2400, 1350) << int(QPageSize::Letter);
        QTest::newRow("most given up, 200 characters each, tall picture, Letter")
            << fewest << std::optional(most) << longest << QSize(900, 1600)
            << int(QPageSize::Letter);
    }
    void pageIsLaidOutAsPrinted()
    {
        QFETCH(Assessment, now);
        QFETCH(std::optional<Assessment>, earlier);
        QFETCH(QString, typed);
        QFETCH(QSize, picture);
        QFETCH(int, paper);
        QTemporaryDir folder;
        WorksheetContent content = worksheetpage::printedNow(now);
        content.earlier = earlier;
        if (!typed.isEmpty())
            content.assessment.setEmployee(typed, typed, typed);
        if (picture.isValid()) {
            content.taskPicturePath = folder.filePath("task.png");
            QVERIFY(pictures::plain(picture, Qt::darkGreen).save(content.taskPicturePath));
        }
        const QString pdf = folder.filePath("page.pdf");
        const PageLayout layout = writePage(pdf, QPageSize::PageSizeId(paper),
                                            [&](const QPaintDevice& device, QSizeF size) {
                                                return worksheetpage::layOut(device, size, content);
                                            });

        QVERIFY(runProgram("pdfinfo", {pdf}).out.contains(QRegularExpression("Pages:\\s+1\\n")));
        const QList<Word> words = wordsOf(pdf);
        const QStringList faults = faultsOf(layout, words);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        // Every chosen drawing is drawn, with its words beside it.
        const QImage page = pageImage(pdf, folder.path());
        for (int option = 0; option < OptionCount; ++option) {
            const PageItem* drawing = layout.find(QStringLiteral("drawing %1").arg(option));
            QCOMPARE(bool(drawing), now.isChosen(option));
            if (!drawing)
                continue;
            QVERIFY2(inked(page, drawing->rect) > 0.02, qPrintable(drawing->role));
            const QString described =
                QString::fromStdString(drawingWords(Options[std::size_t(option)]));
            QCOMPARE(layout.find(QStringLiteral("words %1").arg(option))->text, described);
            // The drawing's own texts are there, as text: its badge says what its words say.
            QString drawn;
            for (const Word& word : words) {
                if (drawing->rect.contains(word.box.center()))
                    drawn += word.text;
            }
            if (Options[std::size_t(option)].kind != OptionKind::Base)
                QVERIFY2(drawn.contains(described.section(", ", -1)), qPrintable(drawn));
        }
        QCOMPARE(bool(layout.find("since")), bool(earlier));
        const PageItem* shown = layout.find("task picture");
        QCOMPARE(bool(shown), picture.isValid());
        if (shown) {
            // Fitted without bands: the picture's own proportions, green to its edges.
            QCOMPARE(qRound(shown->rect.width() / shown->rect.height() * 100),
                     qRound(double(picture.width()) / picture.height() * 100));
            QVERIFY(inked(page, shown->rect.adjusted(1, 1, -1, -1)) > 0.99);
        }
    }

    // From the command line, each side's action under its score, and the report's date.
    void savedReportPrinted()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("page.pdf");
        const QString report = dataPath("report-low-high.txt");
        QCOMPARE(runProgram(Vesk, {"--pdf", report, pdf}).status, 0);
        const auto read = report::readReport(report);
        const WorksheetContent content = worksheetpage::savedReport(*read.assessment, report);
        const PageLayout layout = writePage(folder.filePath("again.pdf"), QPageSize::A4,
                                            [&](const QPaintDevice& device, QSizeF size) {
                                                return worksheetpage::layOut(device, size, content);
                                            });
        const QStringList faults = faultsOf(layout, wordsOf(pdf));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        const QString modified = QFileInfo(report).lastModified().toString("HH:mm");
        QVERIFY2(layout.find("date")->text.startsWith("Saved on ") &&
                     layout.find("date")->text.contains(modified),
                 qPrintable(layout.find("date")->text));
        QCOMPARE(layout.find("side left")->text, "Left hand side");
        QCOMPARE(layout.find("score left")->text, "VESK Score 3 \u2013 Low");
        QCOMPARE(layout.find("action left")->text, "Change may be needed.");
        QCOMPARE(layout.find("score right")->text, "VESK Score 8 \u2013 High");
        QCOMPARE(layout.find("action right")->text, "Investigate and implement change soon.");
    }

    // Started from a saved report, the windows show the final scores before and now, and Print
    // adds what changed, the time of printing in local time, and the task picture from its file.
    void printFromTheRoad()
    {
        QTemporaryDir folder;
        // 2400 x 1800, turned a quarter clockwise to be seen.
        const QImage stored = pictures::plain(QSize(2400, 1800), Qt::red);
        const QString photo = folder.filePath("task.jpg");
        QVERIFY(
            writeFile(photo, pictures::withExifOrientation(pictures::encode(stored, "jpeg"), 6)));

        road->startFrom(*savedreport::open(dataPath("report-full.txt")));
        Main2& main2 = walk::toPostureSelection(*road);
        walk::clickDrawings(main2, {"trunk1", "Image12"});
        emit road->pictureChooser().fileChosen(photo);
        road->pictureChooser().cmdOpen->click();
        VESKResults& results = walk::toResults(*road);
        QCOMPARE(results.Label27->text(),
                 "Since the saved assessment:\nLeft hand side \u2013 before: 8 High, now: 6 "
                 "Medium\nRight hand side \u2013 before: 10 High, now: 7 Medium");
        results.Command1->click();
        QCOMPARE(road->riskLevel().Label7->text(), "before: 8 High, now: 6 Medium");
        QCOMPARE(road->riskLevel().Label8->text(), "before: 10 High, now: 7 Medium");
        road->riskLevel().Command2->click();

        const QString pdf = folder.filePath("page.pdf");
        seams->printDialog = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        };
        results.Command3->click();
        QCOMPARE(seams.messages, QStringList());

        // The same page laid out on the same printer, but for its date.
        WorksheetContent content = worksheetpage::printedNow(road->assessment());
        content.earlier = *report::readReport(dataPath("report-full.txt")).assessment;
        content.taskPicturePath = photo;
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PageLayout layout = worksheetpage::layOut(printer, paperSize(printer), content);
        const QStringList faults = faultsOf(layout, wordsOf(pdf), {"date"});
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        QCOMPARE(layout.find("before left")->text, "Left hand side: before: 8 High, now: 6 Medium");
        QCOMPARE(layout.find(QStringLiteral("changes %1").arg(int(Region::Trunk)))->text,
                 "Trunk: chosen upright; given up 20°–60° flexion or extension");
        QCOMPARE(layout.find(QStringLiteral("changes %1").arg(int(Region::LoadForce)))->text,
                 "Load / force: chosen shock or rapid build-up of force, +1");
        const QString zone = QDateTime::currentDateTime().timeZoneAbbreviation();
        const QString printed = runProgram("pdftotext", {"-enc", "UTF-8", pdf, "-"}).out;
        QVERIFY2(zone != "UTC" &&
                     printed.contains(QRegularExpression("Printed on [^\\n]+ " + zone + "\\n")),
                 qPrintable(printed));

        // Upright, without bands, at far more than the screen's resolution.
        const QRectF shown = layout.find("task picture")->rect;
        QCOMPARE(qRound(shown.width() / shown.height() * 100), 75);
        QVERIFY(inked(pageImage(pdf, folder.path()), shown.adjusted(1, 1, -1, -1)) > 0.99);
        // The resolution of the one picture on the page.
        const QStringList images = runProgram("pdfimages", {"-list", pdf}).out.split('\n');
        QVERIFY(images.value(2).split(' ', Qt::SkipEmptyParts).value(12).toInt() > 300);
    }

    // Two golden reports compared: both worksheets' scores, the change of each side, the
    // drawings chosen and given up, each where the layout puts it.
    void compareTwoReports()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("compare.pdf");
        const QString before = dataPath("report-full.txt");
        const QString after = dataPath("report-low-high.txt");
        QCOMPARE(runProgram(Vesk, {"--compare", before, after, pdf}).status, 0);
        const ComparisonContent content{*report::readReport(before).assessment,
                                        *report::readReport(after).assessment,
                                        "report-full.txt",
                                        "report-low-high.txt",
                                        QFileInfo(before).lastModified(),
                                        QFileInfo(after).lastModified()};
        const PageLayout layout =
            writePage(folder.filePath("again.pdf"), QPageSize::A4,
                      [&](const QPaintDevice& device, QSizeF size) {
                          return comparisonpage::layOut(device, size, content);
                      });
        const QStringList faults = faultsOf(layout, wordsOf(pdf));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        const QList<std::pair<QString, QString>> expected = {
            {"score left", "before: 8 High, now: 3 Low"},
            {"score right", "before: 10 High, now: 8 High"},
            {"before Label17", "4"},
            {"after Label17", "9"},
            {"words 0", "chosen: upright"},
            {"words 2", "given up: 20°–60° flexion or extension"},
            {"words 17", "chosen: shoulder raised, +1"},
            {"words 42", "given up: a body part held still for more than 1 minute, +1"},
        };
        for (const auto& [role, text] : expected)
            QCOMPARE(layout.find(role)->text, text);
        // Drawings chosen in both are not listed.
        QVERIFY(!layout.find("words 6"));
        QVERIFY(runProgram(Vesk, {"--compare", before, pdf}).err.contains("--compare needs two"));
    }

    // Every golden report in one table that Python's csv module reads back; a broken report is
    // named with its line and the others are still written.
    void tableOfReports()
    {
        QTemporaryDir folder;
        QStringList reports;
        for (const QString& name :
             QDir(QStringLiteral(VESK_TEST_DATA)).entryList({QStringLiteral("report-*.txt")}))
            reports << dataPath(name);
        QVERIFY(reports.size() >= 5);
        const QString broken = brokenReport(folder.path());
        const Run table = runProgram(Vesk, QStringList{"--csv"} + reports.mid(0, 2) +
                                               QStringList{broken} + reports.mid(2));
        QCOMPARE(table.status, 1);
        QVERIFY2(table.err.contains(broken + ": Line 45"), qPrintable(table.err));
        QVERIFY(writeFile(folder.filePath("all.csv"), table.out.toUtf8()));
        const Run parsed =
            runProgram("python3", {"-c",
                                   "import csv, json, sys\n"
                                   "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                   "    print(json.dumps(list(csv.DictReader(f, strict=True))))",
                                   folder.filePath("all.csv")});
        QCOMPARE(parsed.err, QString());
        const QJsonArray rows = QJsonDocument::fromJson(parsed.out.toUtf8()).array();
        QCOMPARE(rows.size(), reports.size());
        for (int i = 0; i < rows.size(); ++i) {
            const QJsonObject row = rows[i].toObject();
            const QList<QByteArray> lines = dataFile(QFileInfo(reports[i]).fileName()).split('\n');
            // The value on line n (from 1) of the report, without quotes.
            const auto entry = [&](int n) {
                return fromWindows1252(lines[n - 1].chopped(1).toStdString()).remove('"');
            };
            QCOMPARE(row["File"].toString(), QFileInfo(reports[i]).fileName());
            QCOMPARE(
                QDateTime::fromString(row["Saved on"].toString(), Qt::ISODate).toSecsSinceEpoch(),
                QFileInfo(reports[i]).lastModified().toSecsSinceEpoch());
            const QList<std::pair<const char*, int>> fromReport = {
                {"VESK Score - Left Hand Side", 2},
                {"Risk Level - Right Hand Side", 14},
                {"Wrist - Left", 10},
                {"Lower Arm - Right", 18},
                {"Activity", 32},
                {"Employee ID", 126}};
            for (const auto& [column, line] : fromReport)
                QCOMPARE(row[column].toString(), entry(line));
            const auto read = report::readReport(reports[i]);
            QCOMPARE(row["Employee Location"].toString(), read.assessment->EmployeeLocation());
        }
        QCOMPARE(rows[1].toObject()["Score C - Right"].toString(), "8");
        QCOMPARE(rows[2].toObject()["Drawings - Right upper arm"].toString(),
                 "more than 90° flexion; arm abducted or rotated, +1; shoulder raised, +1");
    }

    // The page's action and time frame for each risk level are the help's words: both help
    // files' tables of risk levels hold the same rows as the program's table.
    void helpQuotesTheRiskLevels_data()
    {
        QTest::addColumn<QString>("help");
        QTest::newRow("reduction measures") << "reduction measures/helpfile.html";
        QTest::newRow("program help") << "Helpfile/helpfile.html";
    }
    void helpQuotesTheRiskLevels()
    {
        QFETCH(QString, help);
        const QString html =
            QString::fromUtf8(readAll(QStringLiteral(VESK_SOURCE_DIR "/assets/help/") + help));
        static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
        static const QRegularExpression cellPattern(QStringLiteral("<td>(.*?)</td>"));
        QList<QStringList> levels;
        for (const auto& row : rowPattern.globalMatch(html)) {
            QStringList cells;
            for (const auto& cell : cellPattern.globalMatch(row.captured(1)))
                cells << QTextDocumentFragment::fromHtml(cell.captured(1)).toPlainText();
            if (cells.size() == 4 && cells[0].contains(QRegularExpression("^\\d+(–\\d+)?$")))
                levels << cells;
        }
        QCOMPARE(levels.size(), int(scoring::RiskLevels.size()));
        for (std::size_t i = 0; i < scoring::RiskLevels.size(); ++i) {
            const scoring::RiskLevel& level = scoring::RiskLevels[i];
            const QString scores =
                level.lowest == level.highest
                    ? QString::number(level.lowest)
                    : QStringLiteral("%1–%2").arg(level.lowest).arg(level.highest);
            QCOMPARE(levels[int(i)], QStringList({scores, text(level.word), text(level.action),
                                                  text(level.timeFrame)}));
        }
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
