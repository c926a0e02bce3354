#include "SavedReport.h"

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
    return worksheetpage::writePdf(pdfPath, worksheetpage::fromAssessment(*read.assessment, {}));
}

} // namespace savedreport
