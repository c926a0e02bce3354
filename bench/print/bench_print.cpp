// The printed worksheet against its floor: writing the whole page of a saved report as a PDF
// file (its drawings, their words, each side's action), and writing a one-page PDF file that
// holds the worksheet picture alone. Laying the page out, without drawing it, is shown apart.

#include "../BenchTable.h"
#include "ReportReader.h"
#include "SavedReport.h"
#include "WorksheetPage.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString report = QStringLiteral(VESK_SOURCE_DIR "/tests/data/report-full.txt");

    const Sample worksheetAlone = measure(30, [&] {
        QPdfWriter writer(folder.filePath("alone.pdf"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins({});
        writer.setResolution(600);
        QPainter painter(&writer);
        const double width = writer.width() - 2 * 36 * 600 / 72.0;
        QSvgRenderer(QStringLiteral(":/pictures/worksheet.svg"))
            .render(&painter, QRectF(300, 1300, width, width * 7935 / 14775));
    });
    const Sample page = measure(30, [&] {
        if (!savedreport::printToPdf(report, folder.filePath("page.pdf")).isEmpty())
            std::abort();
    });
    const WorksheetContent content =
        worksheetpage::savedReport(*report::readReport(report).assessment, report);
    QPdfWriter device(folder.filePath("unused.pdf"));
    device.setResolution(600);
    const Sample layout =
        measure(30, [&] { worksheetpage::layOut(device, paperSize(device), content); });

    printHeader();
    printRow("worksheet picture alone, one-page PDF", worksheetAlone, {}, "baseline");
    printRow("printed page from a saved report", page, worksheetAlone, "<= 3x");
    printRow("  of which laying the page out", layout, worksheetAlone, "-");
    return 0;
}
