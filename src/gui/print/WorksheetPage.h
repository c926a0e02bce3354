#pragma once
// The printed worksheet: one page to put in the workplace file or hand to a manager. It holds
// the title with the date the assessment was saved or printed, who was assessed, the worksheet
// picture with every score in its box, each side's final score with its risk level word and the
// action the risk level asks for, what changed since the saved assessment the road started from,
// the chosen drawings by body region with their words, and the task picture when one is loaded.
// Everything but the task picture is drawn as vectors.
//
// The page is laid out in points (1/72 inch) from the paper's top left corner, whatever the
// resolution of the printer or file it is drawn on. It is always one page: the worksheet gives
// up width to what must stand below it.

#include "Assessment.h"
#include "PageLayout.h"
#include "PictureLoader.h"

#include <QDateTime>
#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

struct WorksheetContent
{
    Assessment assessment;
    // The saved assessment the road started from, if it did.
    std::optional<Assessment> earlier;
    // "Saved on" or "Printed on", and that date.
    QString dateCaption;
    QDateTime date;
    // The task picture's file, read again at the page's resolution; empty for none.
    QString taskPicturePath;
    // The task picture as the window shows it, without its bands: printed when the file cannot
    // be read again.
    QImage taskPictureShown;
    PictureLimits pictureLimits;
};

namespace worksheetpage {

// The page of an assessment printed now.
WorksheetContent printedNow(const Assessment& assessment);
// The page of the report saved at `reportPath`, dated when the file was last written.
WorksheetContent savedReport(const Assessment& assessment, const QString& reportPath);

// Where everything stands on a page of `page` points, measured with the fonts of `device`.
PageLayout layOut(const QPaintDevice& device, QSizeF page, const WorksheetContent& content);

// Draws the page on a device whose whole paper is its paint area; false when the device cannot
// be painted on.
bool paint(QPagedPaintDevice& device, const WorksheetContent& content);

// Writes a one-page PDF file drawn by `paint`, on paper of `size`: by default A4 or Letter, as
// the system's locale measures paper. Returns what went wrong, empty on success.
QString writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& paint,
                 const QPageSize& size = QPageSize());
// Writes the page as a one-page PDF file.
QString writePdf(const QString& path, const WorksheetContent& content,
                 const QPageSize& size = QPageSize());

// Asks for a printer through the print dialog and prints the page there. Returns false when the
// dialog was cancelled or the printer refused; `failure` then says why (empty when cancelled).
bool print(const WorksheetContent& content, QWidget* parent, QString* failure);

} // namespace worksheetpage
