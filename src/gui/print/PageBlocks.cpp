#include "PageBlocks.h"

#include "RiskLevel.h"

#include <QLocale>

#include <algorithm>
#include <array>

namespace pageblocks {
namespace {

constexpr double SmallestText = 8;
// A drawing's box is this much wider than high.
constexpr double DrawingAspect = 1.4;

TextStyle style(const QFont& font, const QColor& colour = Qt::black,
                Qt::Alignment align = Qt::AlignLeft)
{
    return {font, colour, align, false};
}

// A hairline rule `width` long from `left`.
void rule(PageLayout& page, QPointF left, double width)
{
    PageItem line;
    line.kind = PageItem::Kind::Fill;
    line.rect = QRectF(left, QSizeF(width, 0.75));
    line.colour = QColor(150, 150, 150);
    page.add(std::move(line));
}

// The font from `points` down to the smallest text, in half points, until `text` takes at most
// `lines` lines of `width`; the smallest when none does.
TextStyle shrunkToLines(const QString& text, double points, double width, int lines,
                        const PageLayout& page)
{
    TextStyle style{pageFont(arial(), points), Qt::black, Qt::AlignLeft, true};
    while (style.font.pointSizeF() > SmallestText && page.textLines(text, style, width) > lines)
        style.font.setPointSizeF(style.font.pointSizeF() - 0.5);
    return style;
}

const char* sideName(int side)
{
    return side == 0 ? "left" : "right";
}

// One item of a column flow: a region's name or a drawing with its words.
struct FlowItem
{
    double height;
    bool keepWithNext; // the items of a region stay in one column
};

// Where each item goes: its column and its top within the column. The shortest columns that
// hold every item in `columns` columns; items kept together move to the next column together.
std::vector<std::pair<int, double>> flow(const std::vector<FlowItem>& items, int columns)
{
    double total = 0;
    for (const FlowItem& item : items)
        total += item.height;
    for (double height = total / columns;; height += 2) {
        std::vector<std::pair<int, double>> places;
        int column = 0;
        double y = 0;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const bool startsGroup = i == 0 || !items[i - 1].keepWithNext;
            double needed = 0;
            for (std::size_t j = i; startsGroup && j < items.size(); ++j) {
                needed += items[j].height;
                if (!items[j].keepWithNext)
                    break;
            }
            if (startsGroup && y > 0 && y + needed > height) {
                ++column;
                y = 0;
            }
            places.emplace_back(column, y);
            y += items[i].height;
        }
        if (column < columns)
            return places;
    }
}

} // namespace

QColor ink()
{
    return {0, 0, 128};
}

QString arial()
{
    return QStringLiteral("Arial");
}

QString comic()
{
    return QStringLiteral("Comic Sans MS");
}

QString dateLine(const QString& caption, const QDateTime& date)
{
    const QDateTime local = date.toLocalTime();
    const QLocale locale = QLocale::system();
    return QStringLiteral("%1 %2, %3 %4")
        .arg(caption, locale.toString(local.date(), QLocale::LongFormat),
             locale.toString(local.time(), QLocale::ShortFormat), local.timeZoneAbbreviation());
}

double header(PageLayout& page, QPointF topLeft, double width, const QString& title,
              const QString& date)
{
    const double bottom = page.addText(QStringLiteral("title"), topLeft, width * 0.55, title,
                                       style(pageFont(comic(), 22, true), ink()));
    if (!date.isEmpty()) {
        const TextStyle dateStyle = style(pageFont(arial(), 9), Qt::black, Qt::AlignRight);
        const double dateHeight = page.textHeight(date, dateStyle, width * 0.45);
        page.addText(QStringLiteral("date"),
                     QPointF(topLeft.x() + width * 0.55, bottom - dateHeight - 6), width * 0.45,
                     date, dateStyle);
    }
    rule(page, QPointF(topLeft.x(), bottom + 2), width);
    return bottom + 3;
}

double employee(PageLayout& page, QPointF topLeft, double width, const Employee& who)
{
    const std::array<std::pair<QString, QString>, 3> fields{{
        {QStringLiteral("Employee Name"), who.name},
        {QStringLiteral("Employee ID"), who.idNumber},
        {QStringLiteral("Employee Location"), who.location},
    }};
    const std::array<const char*, 3> roles{"name", "id", "location"};
    const double column = (width - 2 * Gap) / 3;
    double bottom = topLeft.y();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QPointF at(topLeft.x() + double(i) * (column + Gap), topLeft.y());
        const double valueTop =
            page.addText(QStringLiteral("caption %1").arg(QLatin1String(roles[i])), at, column,
                         fields[i].first, style(pageFont(arial(), 8, true), ink()));
        const QString& value = fields[i].second;
        bottom = std::max(bottom,
                          page.addText(QStringLiteral("employee %1").arg(QLatin1String(roles[i])),
                                       QPointF(at.x(), valueTop + 1), column, value,
                                       shrunkToLines(value, 10.5, column, 2, page)));
    }
    return bottom;
}

double sideResults(PageLayout& page, QPointF topLeft, double width, const Scores& scores,
                   const Scores* before)
{
    const double column = (width - 2 * Gap) / 2;
    double bottom = topLeft.y();
    for (int side = 0; side < 2; ++side) {
        const std::int16_t score = side == 0 ? scores.LeftVESKScore : scores.RightVESKScore;
        const scoring::RiskLevel* level = scoring::riskLevel(score);
        const QString name = QLatin1String(sideName(side));
        const double x = topLeft.x() + side * (column + 2 * Gap);
        double y = page.addText(QStringLiteral("side ") + name, QPointF(x, topLeft.y()), column,
                                side == 0 ? QStringLiteral("Left hand side")
                                          : QStringLiteral("Right hand side"),
                                style(pageFont(arial(), 9.5, true), ink()));
        QString result = QStringLiteral("VESK Score %1 \u2013 %2")
                             .arg(score)
                             .arg(level ? QString::fromUtf8(level->word) : QString());
        if (before)
            result =
                finalScoreChange(side == 0 ? before->LeftVESKScore : before->RightVESKScore, score);
        y = page.addText(QStringLiteral("score ") + name, QPointF(x, y), column, result,
                         style(pageFont(arial(), 14, true), ink()));
        if (level) {
            y = page.addText(QStringLiteral("action ") + name, QPointF(x, y + 2), column,
                             QString::fromUtf8(level->action), style(pageFont(arial(), 10, true)));
            y = page.addText(QStringLiteral("time frame ") + name, QPointF(x, y), column,
                             QString::fromUtf8(level->timeFrame), style(pageFont(arial(), 9)));
        }
        bottom = std::max(bottom, y);
    }
    return bottom;
}

double sinceBlock(PageLayout& page, QPointF topLeft, double width, int columns,
                  const AssessmentChange& change)
{
    const double column = (width - 2 * Gap) / 2;
    double y = page.addText(QStringLiteral("since"), topLeft, width,
                            QStringLiteral("Since the saved assessment"),
                            style(pageFont(arial(), 11, true), ink()));
    double bottom = y;
    for (int side = 0; side < 2; ++side) {
        const QString name = QLatin1String(sideName(side));
        const QString text =
            (side == 0 ? QStringLiteral("Left hand side: ") : QStringLiteral("Right hand side: ")) +
            (side == 0 ? finalScoreChange(change.before.LeftVESKScore, change.now.LeftVESKScore)
                       : finalScoreChange(change.before.RightVESKScore, change.now.RightVESKScore));
        bottom = std::max(bottom, page.addText(QStringLiteral("before ") + name,
                                               QPointF(topLeft.x() + side * (column + 2 * Gap), y),
                                               column, text, style(pageFont(arial(), 10, true))));
    }
    y = bottom + 3;

    // By region: what was chosen and what was given up.
    QStringList lines;
    QList<int> regions;
    for (int region = 0; region < RegionCount; ++region) {
        QStringList chosen, givenUp;
        for (int option : change.chosen) {
            if (int(Options[std::size_t(option)].region) == region)
                chosen << QString::fromStdString(drawingWords(Options[std::size_t(option)]));
        }
        for (int option : change.givenUp) {
            if (int(Options[std::size_t(option)].region) == region)
                givenUp << QString::fromStdString(drawingWords(Options[std::size_t(option)]));
        }
        if (chosen.isEmpty() && givenUp.isEmpty())
            continue;
        QString line = QString::fromUtf8(RegionNames[std::size_t(region)]) + QStringLiteral(": ");
        if (!chosen.isEmpty())
            line += QStringLiteral("chosen ") + chosen.join(QStringLiteral("; "));
        if (!givenUp.isEmpty())
            line += (chosen.isEmpty() ? QString() : QStringLiteral("; ")) +
                    QStringLiteral("given up ") + givenUp.join(QStringLiteral("; "));
        lines << line;
        regions << region;
    }
    const TextStyle lineStyle = style(pageFont(arial(), columns > 2 ? SmallestText : 8.5));
    if (lines.isEmpty())
        return page.addText(QStringLiteral("changes none"), QPointF(topLeft.x(), y), width,
                            QStringLiteral("The same drawings are chosen."), lineStyle);
    const double lineWidth = (width - (columns - 1) * Gap) / columns;
    std::vector<FlowItem> items;
    for (const QString& line : lines)
        items.push_back({page.textHeight(line, lineStyle, lineWidth) + 1, false});
    const auto places = flow(items, columns);
    bottom = y;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QPointF at(topLeft.x() + places[i].first * (lineWidth + Gap), y + places[i].second);
        bottom = std::max(bottom, page.addText(QStringLiteral("changes %1").arg(regions[int(i)]),
                                               at, lineWidth, lines[int(i)], lineStyle));
    }
    return bottom;
}

std::vector<DrawingEntry> chosenDrawings(const Assessment& assessment)
{
    std::vector<DrawingEntry> entries;
    for (int option = 0; option < OptionCount; ++option) {
        if (assessment.isChosen(option))
            entries.push_back({option, {}});
    }
    return entries;
}

std::vector<DrawingEntry> changedDrawings(const AssessmentChange& change)
{
    std::vector<DrawingEntry> entries;
    for (int option = 0; option < OptionCount; ++option) {
        if (std::find(change.chosen.begin(), change.chosen.end(), option) != change.chosen.end())
            entries.push_back({option, QStringLiteral("chosen")});
        if (std::find(change.givenUp.begin(), change.givenUp.end(), option) != change.givenUp.end())
            entries.push_back({option, QStringLiteral("given up")});
    }
    return entries;
}

double drawingList(PageLayout& page, QPointF topLeft, double width, int columns,
                   double drawingHeight, const std::vector<DrawingEntry>& entries)
{
    const double drawingWidth = drawingHeight * DrawingAspect;
    const double column = (width - (columns - 1) * Gap) / columns;
    const double wordsWidth = column - drawingWidth - 5;
    const TextStyle regionStyle = style(pageFont(arial(), 9, true), ink());
    const TextStyle wordsStyle = style(pageFont(arial(), SmallestText + 0.5));

    // A region's name before its first drawing, then each drawing with its words.
    struct Item
    {
        int region = -1; // a region's name, or
        const DrawingEntry* entry = nullptr;
        QString text;
    };
    std::vector<Item> items;
    std::vector<FlowItem> sizes;
    int region = -1;
    for (const DrawingEntry& entry : entries) {
        const OptionSpec& option = Options[std::size_t(entry.option)];
        if (int(option.region) != region) {
            region = int(option.region);
            const QString name = QString::fromUtf8(RegionNames[std::size_t(region)]);
            items.push_back({region, nullptr, name});
            sizes.push_back({page.textHeight(name, regionStyle, column) + 1, false});
        }
        QString words = QString::fromStdString(drawingWords(option));
        if (!entry.prefix.isEmpty())
            words = entry.prefix + QStringLiteral(": ") + words;
        items.push_back({-1, &entry, words});
        sizes.push_back(
            {std::max(drawingHeight, page.textHeight(words, wordsStyle, wordsWidth)) + 3, false});
    }
    // A region's name and its drawings stay together.
    for (std::size_t i = 0; i < items.size(); ++i)
        sizes[i].keepWithNext = i + 1 < items.size() && items[i + 1].region < 0;
    const auto places = flow(sizes, columns);
    double bottom = topLeft.y();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QPointF at(topLeft.x() + places[i].first * (column + Gap),
                         topLeft.y() + places[i].second);
        if (!items[i].entry) {
            page.addText(QStringLiteral("region %1").arg(items[i].region), at, column,
                         items[i].text, regionStyle);
        } else {
            const int option = items[i].entry->option;
            page.addArtwork(QStringLiteral("drawing %1").arg(option),
                            QRectF(at, QSizeF(drawingWidth, drawingHeight)),
                            QString::fromUtf8(Options[std::size_t(option)].artwork), false);
            const double wordsHeight = page.textHeight(items[i].text, wordsStyle, wordsWidth);
            // The words stand level with the middle of the drawing.
            const double wordsTop = at.y() + std::max(0.0, (drawingHeight - wordsHeight) / 2);
            page.addText(QStringLiteral("words %1").arg(option),
                         QPointF(at.x() + drawingWidth + 5, wordsTop), wordsWidth, items[i].text,
                         wordsStyle);
        }
        bottom = std::max(bottom, at.y() + sizes[i].height);
    }
    return bottom;
}

} // namespace pageblocks
