#pragma once
// The printed comparison of two saved assessments of a task: one page that says what a change at
// the workplace did. Both worksheets' scores side by side, each side's final score and risk level
// word before and after with the action the new level asks for, and the drawings chosen or given
// up, each drawn small with its words.

#include "Assessment.h"
#include "PageLayout.h"

#include <QDateTime>
#include <QString>

class QPagedPaintDevice;

struct ComparisonContent
{
    Assessment before;
    Assessment after;
    // The reports' file names and when each was last written.
    QString beforeName;
    QString afterName;
    QDateTime beforeSaved;
    QDateTime afterSaved;
};

namespace comparisonpage {

// Where everything stands on a page of `page` points, measured with the fonts of `device`.
PageLayout layOut(const QPaintDevice& device, QSizeF page, const ComparisonContent& content);

// Writes the page as a one-page PDF file. Returns what went wrong, empty on success.
QString writePdf(const QString& path, const ComparisonContent& content);

} // namespace comparisonpage
