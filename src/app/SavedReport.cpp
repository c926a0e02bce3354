#include "SavedReport.h"

#include "ComparisonPage.h"
#include "PageFile.h"
#include "Platform.h"
#include "ReportReader.h"
#include "WorksheetPage.h"

#include <QFileInfo>

namespace savedreport {
namespace {

QString cannotOpen(const QString& path, const QString& problem)
{
    return QStringLiteral("The saved assessment \"%1\" cannot be opened.\n\n%2")
        .arg(QFileInfo(path).fileName(), problem);
}

} // namespace

std::optional<Assessment> open(const QString& path)
{
    report::ReadReport read = report::readReport(path);
    if (!read.assessment)
        platform::messageBox(cannotOpen(path, read.problem));
    return std::move(read.assessment);
}

QString printToPdf(const QString& reportPath, const QString& pdfPath)
{
    const report::ReadReport read = report::readReport(reportPath);
    if (!read.assessment)
        return cannotOpen(reportPath, read.problem);
    if (pagefile::sameFile(reportPath, pdfPath))
        return QStringLiteral("\"%1\" is the saved report itself: the page needs a file of its "
                              "own.")
            .arg(pdfPath);
    return worksheetpage::writePdf(pdfPath,
                                   worksheetpage::savedReport(*read.assessment, reportPath));
}

QString compareToPdf(const QString& beforePath, const QString& afterPath, const QString& pdfPath)
{
    // A comparison never takes the place of a report it compares.
    for (const QString& report : {beforePath, afterPath}) {
        if (QFileInfo(report) == QFileInfo(pdfPath))
            return QStringLiteral("%1 is a saved report: give another file for the comparison.")
                .arg(pdfPath);
    }
    const report::ReadReport before = report::readReport(beforePath);
    if (!before.assessment)
        return cannotOpen(beforePath, before.problem);
    const report::ReadReport after = report::readReport(afterPath);
    if (!after.assessment)
        return cannotOpen(afterPath, after.problem);
    const QFileInfo beforeFile(beforePath);
    const QFileInfo afterFile(afterPath);
    return comparisonpage::writePdf(pdfPath, {*before.assessment, *after.assessment,
                                              beforeFile.fileName(), afterFile.fileName(),
                                              beforeFile.lastModified(), afterFile.lastModified()});
}

} // namespace savedreport
