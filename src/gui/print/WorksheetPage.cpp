#include "WorksheetPage.h"

#include "FitAndCentre.h"
#include "PageBlocks.h"
#include "PageFile.h"
#include "Seams.h"
#include "Worksheet.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <tuple>

namespace worksheetpage {
namespace {

using namespace pageblocks;

constexpr double WorksheetAspect =
    double(worksheet::PictureTwips.height()) / worksheet::PictureTwips.width();
// Beside the chosen drawings the task picture takes this share of the width...
constexpr double PictureShare = 0.3;
// ...and never less height than this; beside the worksheet, never less width than this.
constexpr double LowestPicture = 100;
constexpr double NarrowestPicture = 130;
// A worksheet this wide (in points) shows its values at 9 pt: wide enough to read easily.
constexpr double ComfortableWorksheet = 370;
// Drawings this high (in points) show their angles and words.
constexpr double ClearDrawing = 28;

// The worksheet picture stretched into `rect`, each score in its box.
void addWorksheet(PageLayout& page, const QRectF& rect, const Scores& scores)
{
    // Stretched into the shape of the window's picture, as the window shows it.
    page.addArtwork(QStringLiteral("worksheet"), rect,
                    QString::fromLatin1(worksheet::PictureResource), true);
    const QRect& origin = worksheet::PictureTwips;
    const double scale = rect.width() / origin.width();
    // The values keep the proportions of the window's labels: 18 point on a worksheet 14775
    // twips wide.
    const TextStyle valueStyle{pageFont(comic(), 18 * 20 * scale, true), ink(), Qt::AlignHCenter,
                               false};
    for (const worksheet::ValueBox& design : worksheet::ValueBoxes) {
        const QRectF box(rect.left() + (design.twips.x() - origin.x()) * scale,
                         rect.top() + (design.twips.y() - origin.y()) * scale,
                         design.twips.width() * scale, design.twips.height() * scale);
        const QString label = QString::fromLatin1(design.label);
        PageItem background;
        background.kind = PageItem::Kind::Fill;
        background.role = QStringLiteral("box ") + label;
        background.rect = box;
        background.colour = Qt::white;
        page.add(std::move(background));
        const QString value = QString::number(scores.*design.score);
        const double height = page.textHeight(value, valueStyle, box.width());
        page.addText(QStringLiteral("value ") + label,
                     QPointF(box.left(), box.center().y() - height / 2), box.width(), value,
                     valueStyle);
    }
}

// The task picture as large as fits into `box`, at the top of it, framed: read again from its
// file at the device's resolution, or as the window showed it when the file cannot be read.
void addTaskPicture(PageLayout& page, const QRectF& box, const WorksheetContent& content)
{
    const double scale = page.device().logicalDpiX() / 72.0;
    QImage image;
    QSizeF natural;
    if (!content.taskPicturePath.isEmpty()) {
        const LoadedPicture loaded = PictureLoader::load(
            content.taskPicturePath, (box.size() * scale).toSize(), content.pictureLimits);
        if (loaded.ok()) {
            image = loaded.image;
            natural = QSizeF(loaded.pictureSize);
        }
    }
    if (image.isNull()) {
        image = content.taskPictureShown;
        natural = QSizeF(image.size());
    }
    if (image.isNull() || box.isEmpty())
        return;
    const FitResult fit = fitAndCentre(natural, box.size());
    const QRectF rect(box.left() + fit.left, box.top(), fit.fitWidth, fit.fitHeight);
    PageItem picture;
    picture.kind = PageItem::Kind::Picture;
    picture.role = QStringLiteral("task picture");
    picture.rect = rect;
    picture.picture = image;
    page.add(std::move(picture));
    PageItem frame;
    frame.kind = PageItem::Kind::Frame;
    frame.role = QStringLiteral("task picture frame");
    frame.rect = rect;
    page.add(std::move(frame));
}

// "Chosen drawings" over the drawings of the assessment, at (0, 0).
PageLayout chosenDrawingsBlock(const QPaintDevice& device, QSizeF size, double width, int columns,
                               double drawingHeight, const Assessment& assessment)
{
    PageLayout block(device, size);
    const double top = block.addText(QStringLiteral("drawings"), QPointF(0, 0), width,
                                     QStringLiteral("Chosen drawings"),
                                     {pageFont(arial(), 11, true), ink(), Qt::AlignLeft, false});
    drawingList(block, QPointF(0, top + 3), width, columns, drawingHeight,
                chosenDrawings(assessment));
    return block;
}

// What must stand under the worksheet besides each side's results.
struct Parts
{
    const QPaintDevice& device;
    QSizeF size;
    double width;
    const Assessment& assessment;
    const std::optional<AssessmentChange>& change;
    bool hasPicture;
};

// One way to fit the page: where the task picture stands (beside the chosen drawings, or beside
// the worksheet so that the drawings take the whole width), how large the drawings are, in how
// many columns the drawings and the changes run, and what width that leaves the worksheet.
struct Way
{
    int sinceColumns = 2;
    bool pictureBesideWorksheet = false;
    double drawingHeight = 0;
    int extraColumns = 0; // the drawings' columns beyond the usual
    double worksheetWidth = 0;

    // Ways compare by: a comfortably wide worksheet, clear drawings, the changes and the
    // drawings in the fewest columns, the widest worksheet, the largest drawings.
    auto rank() const
    {
        return std::make_tuple(std::round(std::min(worksheetWidth, ComfortableWorksheet)),
                               std::min(drawingHeight, ClearDrawing), -sinceColumns, -extraColumns,
                               std::round(worksheetWidth), drawingHeight);
    }
};

PageLayout drawingsFor(const Parts& parts, const Way& way)
{
    const bool besideDrawings = parts.hasPicture && !way.pictureBesideWorksheet;
    return chosenDrawingsBlock(
        parts.device, parts.size,
        parts.width - (besideDrawings ? parts.width * PictureShare + Gap : 0),
        (besideDrawings ? 2 : 3) + way.extraColumns, way.drawingHeight, parts.assessment);
}

// The best way to fit the parts and the worksheet into `room` points of height.
Way bestWay(const Parts& parts, double room)
{
    std::array<double, 3> sinceHeights{};
    for (std::size_t i = 0; parts.change && i < sinceHeights.size(); ++i) {
        PageLayout since(parts.device, parts.size);
        sinceHeights[i] =
            sinceBlock(since, QPointF(0, 0), parts.width, int(i) + 2, *parts.change) + Gap;
    }
    Way best;
    for (const bool besideWorksheet : {false, true}) {
        if (besideWorksheet && !parts.hasPicture)
            continue;
        const double widest = besideWorksheet ? parts.width - NarrowestPicture - Gap : parts.width;
        for (const double drawingHeight : DrawingHeights) {
            for (const int extraColumns : {0, 1, 2}) {
                Way way{2, besideWorksheet, drawingHeight, extraColumns, 0};
                const double drawings = drawingsFor(parts, way).bottom();
                const double lower = parts.hasPicture && !besideWorksheet
                                         ? std::max(drawings, LowestPicture)
                                         : drawings;
                for (std::size_t i = 0; i < sinceHeights.size(); ++i) {
                    way.sinceColumns = int(i) + 2;
                    way.worksheetWidth =
                        std::min(widest, (room - sinceHeights[i] - lower) / WorksheetAspect);
                    if (best.drawingHeight == 0 || way.rank() > best.rank())
                        best = way;
                }
            }
        }
    }
    return best;
}

} // namespace

WorksheetContent printedNow(const Assessment& assessment)
{
    WorksheetContent content;
    content.assessment = assessment;
    content.dateCaption = QStringLiteral("Printed on");
    content.date = QDateTime::currentDateTime();
    return content;
}

WorksheetContent savedReport(const Assessment& assessment, const QString& reportPath)
{
    WorksheetContent content;
    content.assessment = assessment;
    content.dateCaption = QStringLiteral("Saved on");
    content.date = QFileInfo(reportPath).lastModified();
    return content;
}

PageLayout layOut(const QPaintDevice& device, QSizeF size, const WorksheetContent& content)
{
    PageLayout page(device, size);
    const double width = size.width() - 2 * Margin;
    const double bottom = size.height() - Margin;
    double y = header(page, QPointF(Margin, Margin), width, QStringLiteral("VESK - Results"),
                      dateLine(content.dateCaption, content.date));
    y = employee(page, QPointF(Margin, y + 6), width,
                 content.assessment.employee().value_or(Employee{})) +
        Gap;

    // What stands under the worksheet is measured first: the worksheet takes the height left.
    const Scores scores = content.assessment.scores();
    PageLayout results(device, size);
    sideResults(results, QPointF(0, 0), width, scores);
    std::optional<AssessmentChange> change;
    if (content.earlier)
        change = compareAssessments(*content.earlier, content.assessment);
    const Parts parts{
        device, size,
        width,  content.assessment,
        change, !content.taskPicturePath.isEmpty() || !content.taskPictureShown.isNull()};
    const Way way = bestWay(parts, bottom - y - results.bottom() - 2 * Gap);
    const PageLayout drawings = drawingsFor(parts, way);
    PageLayout since(device, size);
    if (change)
        sinceBlock(since, QPointF(0, 0), width, way.sinceColumns, *change);

    const double worksheetHeight = way.worksheetWidth * WorksheetAspect;
    const double worksheetLeft =
        way.pictureBesideWorksheet ? Margin : Margin + (width - way.worksheetWidth) / 2;
    addWorksheet(page, QRectF(worksheetLeft, y, way.worksheetWidth, worksheetHeight), scores);
    if (way.pictureBesideWorksheet)
        addTaskPicture(page,
                       QRectF(Margin + way.worksheetWidth + Gap, y,
                              width - way.worksheetWidth - Gap, worksheetHeight),
                       content);
    y += worksheetHeight + Gap;
    page.place(results, QPointF(Margin, y));
    y += results.bottom() + Gap;
    if (change) {
        page.place(since, QPointF(Margin, y));
        y += since.bottom() + Gap;
    }
    page.place(drawings, QPointF(Margin, y));
    if (parts.hasPicture && !way.pictureBesideWorksheet) {
        const double pictureWidth = width * PictureShare;
        addTaskPicture(page, QRectF(Margin + width - pictureWidth, y, pictureWidth, bottom - y),
                       content);
    }
    return page;
}

bool paint(QPagedPaintDevice& device, const WorksheetContent& content)
{
    return paintPage(device, layOut(device, paperSize(device), content));
}

QString writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& paint, const QPageSize& size)
{
    if (const QString missing = pagefile::missingFonts(); !missing.isEmpty())
        return missing;
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize paper =
        size.isValid() ? size : QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("VESK Procedure"));
    writer.setTitle(title);
    if (!paint(writer))
        return QStringLiteral("%1 cannot be written: the page could not be drawn").arg(path);
    return pagefile::write(path, pdf);
}

QString writePdf(const QString& path, const WorksheetContent& content, const QPageSize& size)
{
    return writePdf(
        path, QStringLiteral("VESK - Results"),
        [&](QPagedPaintDevice& device) { return paint(device, content); }, size);
}

bool print(const WorksheetContent& content, QWidget* parent, QString* failure)
{
    if (const QString missing = pagefile::missingFonts(); !missing.isEmpty()) {
        *failure = missing;
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("VESK - Results"));
    bool accepted = false;
    if (const auto& chooser = platform::seams().printDialog) {
        accepted = chooser(printer);
    } else {
        QPrintDialog dialog(&printer, parent);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return false;
    if (!printer.isValid()) {
        *failure = QStringLiteral("The printer cannot be used.");
        return false;
    }
    // Printed to a file, the page is written as the program writes every file: whole or not at
    // all, and a failure is said.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        *failure = writePdf(printer.outputFileName(), content, printer.pageLayout().pageSize());
        return failure->isEmpty();
    }
    if (!paint(printer, content)) {
        *failure = QStringLiteral("The printer refused the page.");
        return false;
    }
    return true;
}

} // namespace worksheetpage
