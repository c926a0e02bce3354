#include "ComparisonPage.h"

#include "AssessmentChange.h"
#include "PageBlocks.h"
#include "Worksheet.h"
#include "WorksheetPage.h"

#include <QPagedPaintDevice>

#include <array>

namespace comparisonpage {
namespace {

using namespace pageblocks;

constexpr double NumberWidth = 48;

// The 22 scores of both worksheets in two tables side by side: the name of each value, before
// and after, a changed value in bold.
double scoreTables(PageLayout& page, QPointF topLeft, double width, const Scores& before,
                   const Scores& after)
{
    const double table = (width - 2 * Gap) / 2;
    const TextStyle head{pageFont(arial(), 8.5, true), ink(), Qt::AlignLeft, false};
    const TextStyle number{pageFont(arial(), 9), Qt::black, Qt::AlignRight, false};
    const std::size_t perTable = (worksheet::ValueBoxes.size() + 1) / 2;
    double bottom = topLeft.y();
    for (std::size_t half = 0; half < 2; ++half) {
        const double left = topLeft.x() + double(half) * (table + 2 * Gap);
        const double nameWidth = table - 2 * NumberWidth;
        TextStyle rightHead = head;
        rightHead.align = Qt::AlignRight;
        page.addText({}, QPointF(left + nameWidth, topLeft.y()), NumberWidth,
                     QStringLiteral("Before"), rightHead);
        double y = page.addText({}, QPointF(left + nameWidth + NumberWidth, topLeft.y()),
                                NumberWidth, QStringLiteral("After"), rightHead);
        for (std::size_t i = half * perTable;
             i < std::min(worksheet::ValueBoxes.size(), (half + 1) * perTable); ++i) {
            const worksheet::ValueBox& box = worksheet::ValueBoxes[i];
            const std::int16_t then = before.*box.score;
            const std::int16_t now = after.*box.score;
            TextStyle name{pageFont(arial(), 9), Qt::black, Qt::AlignLeft, false};
            TextStyle value = number;
            if (then != now) {
                name.font.setBold(true);
                value.font.setBold(true);
            }
            const QString label = QString::fromLatin1(box.label);
            page.addText(QStringLiteral("name ") + label, QPointF(left, y), nameWidth,
                         QString::fromLatin1(box.name), name);
            page.addText(QStringLiteral("before ") + label, QPointF(left + nameWidth, y),
                         NumberWidth, QString::number(then), value);
            y = page.addText(QStringLiteral("after ") + label,
                             QPointF(left + nameWidth + NumberWidth, y), NumberWidth,
                             QString::number(now), value) +
                1;
        }
        bottom = std::max(bottom, y);
    }
    return bottom;
}

QString savedLine(const QString& name, const QDateTime& saved)
{
    return name + QStringLiteral(", ") + dateLine(QStringLiteral("saved on"), saved);
}

} // namespace

PageLayout layOut(const QPaintDevice& device, QSizeF size, const ComparisonContent& content)
{
    PageLayout page(device, size);
    const double width = size.width() - 2 * Margin;
    const double bottom = size.height() - Margin;
    const TextStyle heading{pageFont(arial(), 11, true), ink(), Qt::AlignLeft, false};
    const TextStyle caption{pageFont(arial(), 9.5, true), ink(), Qt::AlignLeft, false};
    const TextStyle plain{pageFont(arial(), 9.5), Qt::black, Qt::AlignLeft, true};

    // The reports' own dates say when; the day the comparison was made says nothing.
    double y =
        header(page, QPointF(Margin, Margin), width, QStringLiteral("VESK - Comparison"), {}) + 6;
    const std::array<std::pair<QString, QString>, 2> files{{
        {QStringLiteral("before"), savedLine(content.beforeName, content.beforeSaved)},
        {QStringLiteral("after"), savedLine(content.afterName, content.afterSaved)},
    }};
    for (const auto& [which, line] : files) {
        page.addText({}, QPointF(Margin, y), 45,
                     which == QLatin1String("before") ? QStringLiteral("Before")
                                                      : QStringLiteral("After"),
                     caption);
        y = page.addText(QStringLiteral("file ") + which, QPointF(Margin + 50, y), width - 50, line,
                         plain);
    }
    const Employee who = content.after.employee().value_or(Employee{});
    y = employee(page, QPointF(Margin, y + 6), width, who);
    const Employee earlier = content.before.employee().value_or(Employee{});
    if (!(earlier == who)) {
        y = page.addText(QStringLiteral("employee before"), QPointF(Margin, y + 2), width,
                         QStringLiteral("The earlier report names: %1, ID %2, %3")
                             .arg(earlier.name, earlier.idNumber, earlier.location),
                         {pageFont(arial(), 8.5), Qt::black, Qt::AlignLeft, true});
    }

    const AssessmentChange change = compareAssessments(content.before, content.after);
    y = page.addText(QStringLiteral("scores"), QPointF(Margin, y + Gap), width,
                     QStringLiteral("Both worksheets"), heading);
    y = scoreTables(page, QPointF(Margin, y + 3), width, change.before, change.now) + Gap;
    y = sideResults(page, QPointF(Margin, y), width, change.now, &change.before) + Gap;

    y = page.addText(QStringLiteral("changes"), QPointF(Margin, y), width,
                     QStringLiteral("Drawings chosen or given up"), heading) +
        3;
    const std::vector<DrawingEntry> entries = changedDrawings(change);
    if (entries.empty()) {
        page.addText(QStringLiteral("changes none"), QPointF(Margin, y), width,
                     QStringLiteral("The same drawings are chosen in both."), plain);
        return page;
    }
    // The largest drawings that fit above the bottom margin.
    for (const double drawingHeight : DrawingHeights) {
        PageLayout list(device, size);
        if (drawingList(list, QPointF(0, 0), width, 3, drawingHeight, entries) <= bottom - y ||
            drawingHeight == DrawingHeights.back()) {
            page.place(list, QPointF(Margin, y));
            break;
        }
    }
    return page;
}

QString writePdf(const QString& path, const ComparisonContent& content)
{
    return worksheetpage::writePdf(
        path, QStringLiteral("VESK - Comparison"), [&](QPagedPaintDevice& device) {
            return paintPage(device, layOut(device, paperSize(device), content));
        });
}

} // namespace comparisonpage
