#include "WorksheetPage.h"

#include "Assessment.h"
#include "FitAndCentre.h"
#include "PageFile.h"
#include "RiskLevel.h"
#include "Seams.h"
#include "Worksheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTransform>

namespace worksheetpage {
namespace {

constexpr double Margin = 36;
constexpr double TitleHeight = 40;
constexpr double EmployeeRowHeight = 24;
constexpr double Gap = 10;
// The worksheet picture's designed size on the results window, in twips (20 to the point).
constexpr double WorksheetTwipsWidth = worksheet::PictureTwips.width();
constexpr double WorksheetTwipsHeight = worksheet::PictureTwips.height();
// The task picture box of the posture selection window, for the frame's proportions.
constexpr double TaskPictureAspect = 3735.0 / 5535.0;

const QColor Ink(0, 0, 128);

QString wordOf(std::int16_t score)
{
    const auto word = scoring::riskLevelWord(score);
    return word ? QString::fromUtf8(word->data(), qsizetype(word->size())) : QString();
}

// Draws in points on a device of any resolution: rectangles are scaled, fonts given in points
// already follow the device.
class PagePainter
{
public:
    explicit PagePainter(QPagedPaintDevice& device)
        : painter(&device), scale(device.logicalDpiX() / 72.0)
    {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }

    QRectF toDevice(const QRectF& points) const
    {
        return QTransform::fromScale(scale, scale).mapRect(points);
    }

    void text(const QRectF& points, const QString& text, const QFont& font, int flags,
              const QColor& colour = Qt::black)
    {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(toDevice(points), flags, text);
    }

    // The font shrunk until the text fits the rectangle, wrapped at words.
    QFont fitted(QFont font, const QRectF& points, const QString& text)
    {
        while (font.pointSizeF() > 5) {
            const QFontMetricsF metrics(font, painter.device());
            const QRectF needed = metrics.boundingRect(toDevice(points), Qt::TextWordWrap, text);
            if (needed.height() <= toDevice(points).height() + 0.5 &&
                needed.width() <= toDevice(points).width() + 0.5)
                break;
            font.setPointSizeF(font.pointSizeF() - 0.5);
        }
        return font;
    }

    QPainter painter;
    double scale;
};

QFont pageFont(const QString& family, double points, bool bold = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Groups the captions by body region: the part of a caption before " - " names its region.
QStringList regionLines(const QStringList& captions)
{
    QStringList lines;
    QString region;
    for (const QString& caption : captions) {
        const QString name = caption.section(QStringLiteral(" - "), 0, 0);
        if (name != region || lines.isEmpty())
            lines << caption;
        else
            lines.last() += QStringLiteral(", ") + caption;
        region = name;
    }
    return lines;
}

} // namespace

WorksheetContent fromAssessment(const Assessment& assessment, const QImage& taskPicture)
{
    WorksheetContent content;
    content.printed = QDateTime::currentDateTime();
    content.name = assessment.EmployeeName();
    content.idNumber = assessment.EmployeeIdNumber();
    content.location = assessment.EmployeeLocation();
    const Scores scores = assessment.scores();
    for (std::size_t i = 0; i < worksheet::ValueBoxes.size(); ++i)
        content.values[i] = QString::number(scores.*worksheet::ValueBoxes[i].score);
    content.leftScore = scores.LeftVESKScore;
    content.rightScore = scores.RightVESKScore;
    content.leftWord = wordOf(content.leftScore);
    content.rightWord = wordOf(content.rightScore);
    for (std::size_t k = 0; k < Options.size(); ++k) {
        if (assessment.isChosen(int(k)))
            content.chosenCaptions << QString::fromUtf8(Options[k].caption);
    }
    content.taskPicture = taskPicture;
    return content;
}

QRectF worksheetRect(QSizeF page)
{
    const double width = page.width() - 2 * Margin;
    const double top = Margin + TitleHeight + 3 * EmployeeRowHeight + Gap;
    return {Margin, top, width, width * WorksheetTwipsHeight / WorksheetTwipsWidth};
}

QRectF valueBox(int index, const QRectF& worksheet)
{
    const QRect twips = worksheet::ValueBoxes[std::size_t(index)].twips;
    const QRect& origin = worksheet::PictureTwips;
    const double sx = worksheet.width() / WorksheetTwipsWidth;
    const double sy = worksheet.height() / WorksheetTwipsHeight;
    return {worksheet.left() + (twips.x() - origin.x()) * sx,
            worksheet.top() + (twips.y() - origin.y()) * sy, twips.width() * sx,
            twips.height() * sy};
}

bool paint(QPagedPaintDevice& device, const WorksheetContent& content)
{
    PagePainter page(device);
    if (!page.painter.isActive())
        return false;
    const QSizeF size(device.width() / page.scale, device.height() / page.scale);
    const double width = size.width() - 2 * Margin;
    const QString arial = QStringLiteral("Arial");
    const QString comic = QStringLiteral("Comic Sans MS");

    page.text({Margin, Margin, width, TitleHeight}, QStringLiteral("VESK - Results"),
              pageFont(comic, 24, true), Qt::AlignLeft | Qt::AlignTop, Ink);
    page.text({Margin, Margin, width, TitleHeight},
              QLocale::system().toString(content.printed, QLocale::LongFormat), pageFont(arial, 10),
              Qt::AlignRight | Qt::AlignTop);

    const QString employee[3][2] = {
        {QStringLiteral("Employee Name:"), content.name},
        {QStringLiteral("Employee ID:"), content.idNumber},
        {QStringLiteral("Employee Location:"), content.location},
    };
    for (int row = 0; row < 3; ++row) {
        const double top = Margin + TitleHeight + row * EmployeeRowHeight;
        page.text({Margin, top, 110, EmployeeRowHeight}, employee[row][0],
                  pageFont(arial, 11, true), Qt::AlignLeft | Qt::AlignTop, Ink);
        const QRectF box(Margin + 115, top, width - 115, EmployeeRowHeight - 2);
        page.text(box, employee[row][1], page.fitted(pageFont(arial, 11), box, employee[row][1]),
                  Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }

    const QRectF worksheet = worksheetRect(size);
    QSvgRenderer(QString::fromLatin1(worksheet::PictureResource))
        .render(&page.painter, page.toDevice(worksheet));
    // The value boxes keep the proportions of the window's labels: 18 point on a worksheet
    // 14775 twips wide.
    const QFont valueFont =
        pageFont(comic, 18 * worksheet.width() / (WorksheetTwipsWidth / 20), true);
    for (int i = 0; i < int(content.values.size()); ++i) {
        const QRectF box = valueBox(i, worksheet);
        page.painter.fillRect(page.toDevice(box), Qt::white);
        page.text(box, content.values[std::size_t(i)], valueFont, Qt::AlignCenter, Ink);
    }

    double top = worksheet.bottom() + Gap;
    const QString finals[2] = {
        QStringLiteral("VESK Score - Left Arm: %1     Risk Level - Left Arm: %2")
            .arg(content.leftScore)
            .arg(content.leftWord),
        QStringLiteral("VESK Score - Right Arm: %1     Risk Level - Right Arm: %2")
            .arg(content.rightScore)
            .arg(content.rightWord),
    };
    for (const QString& line : finals) {
        page.text({Margin, top, width, 18}, line, pageFont(arial, 13, true),
                  Qt::AlignLeft | Qt::AlignTop, Ink);
        top += 20;
    }
    top += Gap;

    // The chosen drawings on the left; the task picture, when there is one, in a frame on the
    // right with the proportions of the box it was loaded into.
    const double bottom = size.height() - Margin;
    double listWidth = width;
    if (!content.taskPicture.isNull()) {
        const double frameHeight = bottom - top;
        const double frameWidth = std::min(frameHeight * TaskPictureAspect, width / 2);
        const QRectF frame(Margin + width - frameWidth, top, frameWidth, frameHeight);
        listWidth = width - frameWidth - Gap;
        const FitResult fit =
            fitAndCentre(QSizeF(content.taskPicture.size()), page.toDevice(frame).size());
        page.painter.drawImage(fit.rect().translated(page.toDevice(frame).topLeft()),
                               content.taskPicture);
        page.painter.setPen(QPen(Qt::black, page.scale * 0.75));
        page.painter.drawRect(page.toDevice(frame));
    }
    page.text({Margin, top, listWidth, 18}, QStringLiteral("Chosen drawings"),
              pageFont(arial, 12, true), Qt::AlignLeft | Qt::AlignTop, Ink);
    top += 20;
    const QString list = regionLines(content.chosenCaptions).join(QLatin1Char('\n'));
    const QRectF listBox(Margin, top, listWidth, bottom - top);
    page.text(listBox, list, page.fitted(pageFont(arial, 10), listBox, list),
              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    return page.painter.end();
}

QString writePdf(const QString& path, const WorksheetContent& content, const QPageSize& size)
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
    writer.setTitle(QStringLiteral("VESK - Results"));
    if (!paint(writer, content))
        return QStringLiteral("%1 cannot be written: the page could not be drawn").arg(path);
    return pagefile::write(path, pdf);
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
