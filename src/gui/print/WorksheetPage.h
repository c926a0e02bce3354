#pragma once
// The printed worksheet: one page to put in the workplace file or hand to a manager. It holds
// the title, when it was printed, who was assessed, the worksheet picture with every score in
// its box, both final scores with their risk level words, the chosen drawings by body region and
// the task picture when one is loaded. Everything but the task picture is drawn as vectors.
//
// The page is laid out in points (1/72 inch) from the paper's top left corner, whatever the
// resolution of the printer or file it is drawn on.

#include <QDateTime>
#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class Assessment;
class QPagedPaintDevice;
class QWidget;

struct WorksheetContent
{
    QDateTime printed;
    // As saved: apostrophes removed.
    QString name;
    QString idNumber;
    QString location;
    // The 22 scores in the order of worksheet::ValueBoxes.
    std::array<QString, 22> values;
    std::int16_t leftScore = 0;
    std::int16_t rightScore = 0;
    QString leftWord;
    QString rightWord;
    // The report captions of the chosen drawings, in report order.
    QStringList chosenCaptions;
    // Null when no task picture is loaded.
    QImage taskPicture;
};

namespace worksheetpage {

// The page of an assessment, printed now, with the given task picture (null for none).
WorksheetContent fromAssessment(const Assessment& assessment, const QImage& taskPicture);

// Draws the page on a device whose whole paper is its paint area; false when the device cannot
// be painted on.
bool paint(QPagedPaintDevice& device, const WorksheetContent& content);

// Writes the page as a one-page PDF file on paper of `size`; by default A4 or Letter, as the
// system's locale measures paper. Returns what went wrong, empty on success.
QString writePdf(const QString& path, const WorksheetContent& content,
                 const QPageSize& size = QPageSize());

// Asks for a printer through the print dialog and prints the page there. Returns false when the
// dialog was cancelled or the printer refused; `failure` then says why (empty when cancelled).
bool print(const WorksheetContent& content, QWidget* parent, QString* failure);

// Where the worksheet picture stands on a page of this size, and where the box of value
// `index` (in the order of worksheet::ValueBoxes) stands inside it. In points.
QRectF worksheetRect(QSizeF page);
QRectF valueBox(int index, const QRectF& worksheet);

} // namespace worksheetpage
