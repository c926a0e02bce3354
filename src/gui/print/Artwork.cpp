#include "Artwork.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <vector>

namespace artwork {
namespace {

struct Run
{
    QString text;
    bool bold;
};

struct Text
{
    QPointF at; // the baseline's start, middle or end, as the anchor says
    double size = 0;
    QColor colour;
    QString anchor;
    std::vector<Run> runs;
};

// Outside xml:space="preserve", runs of blanks count as one and the ends are trimmed.
void collapseBlanks(Text& text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (Run& run : text.runs)
        run.text.replace(blanks, QStringLiteral(" "));
    if (!text.runs.empty()) {
        while (text.runs.front().text.startsWith(QLatin1Char(' ')))
            text.runs.front().text.remove(0, 1);
        while (text.runs.back().text.endsWith(QLatin1Char(' ')))
            text.runs.back().text.chop(1);
    }
}

// The texts of an SVG file, and its view box.
std::vector<Text> textsOf(const QByteArray& svg, QRectF* viewBox)
{
    std::vector<Text> texts;
    QXmlStreamReader reader(svg);
    bool preserve = false;
    bool inText = false;
    bool textBold = false;
    bool bold = false;
    while (!reader.atEnd()) {
        reader.readNext();
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.isStartElement() && reader.name() == QLatin1String("svg")) {
            const QStringList box = attributes.value(QLatin1String("viewBox"))
                                        .toString()
                                        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (box.size() == 4)
                *viewBox = QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(),
                                  box[3].toDouble());
        } else if (reader.isStartElement() && reader.name() == QLatin1String("text")) {
            Text text;
            text.at = QPointF(attributes.value(QLatin1String("x")).toDouble(),
                              attributes.value(QLatin1String("y")).toDouble());
            text.size = attributes.value(QLatin1String("font-size")).toDouble();
            text.colour = QColor(attributes.value(QLatin1String("fill")).toString());
            text.anchor = attributes.value(QLatin1String("text-anchor")).toString();
            textBold = attributes.value(QLatin1String("font-weight")) == QLatin1String("bold");
            bold = textBold;
            preserve = attributes.value(QLatin1String("xml:space")) == QLatin1String("preserve");
            texts.push_back(text);
            inText = true;
        } else if (reader.isStartElement() && reader.name() == QLatin1String("tspan")) {
            bold = attributes.value(QLatin1String("font-weight")) == QLatin1String("bold");
        } else if (reader.isEndElement() && reader.name() == QLatin1String("tspan")) {
            bold = textBold;
        } else if (reader.isEndElement() && reader.name() == QLatin1String("text")) {
            if (!preserve)
                collapseBlanks(texts.back());
            inText = false;
        } else if (reader.isCharacters() && inText) {
            texts.back().runs.push_back({reader.text().toString(), bold});
        }
    }
    return texts;
}

} // namespace

void draw(QPainter& painter, const QString& resource, const QRectF& box,
          Qt::AspectRatioMode proportions)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray svg = file.readAll();
    QRectF viewBox;
    const std::vector<Text> texts = textsOf(svg, &viewBox);
    if (viewBox.isEmpty())
        return;
    QRectF target = box;
    if (proportions == Qt::KeepAspectRatio) {
        target.setSize(viewBox.size().scaled(box.size(), Qt::KeepAspectRatio));
        target.moveCenter(box.center());
    }
    static const QRegularExpression textElements(QStringLiteral("<text[ >].*?</text>"),
                                                 QRegularExpression::DotMatchesEverythingOption);
    QSvgRenderer(QString::fromUtf8(svg).remove(textElements).toUtf8()).render(&painter, target);

    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / viewBox.width(), target.height() / viewBox.height());
    painter.translate(-viewBox.topLeft());
    // Sizes are in the drawing's units: a font of `size` units is size * 72 / dpi points.
    const double pointsPerUnit = 72.0 / painter.device()->logicalDpiY();
    for (const Text& text : texts) {
        QFont regular(QStringLiteral("Arial"));
        regular.setPointSizeF(text.size * pointsPerUnit);
        QFont bold = regular;
        bold.setBold(true);
        double width = 0;
        for (const Run& run : text.runs)
            width += QFontMetricsF(run.bold ? bold : regular, painter.device())
                         .horizontalAdvance(run.text);
        double x = text.at.x();
        if (text.anchor == QLatin1String("middle"))
            x -= width / 2;
        else if (text.anchor == QLatin1String("end"))
            x -= width;
        painter.setPen(text.colour);
        for (const Run& run : text.runs) {
            const QFont& font = run.bold ? bold : regular;
            painter.setFont(font);
            painter.drawText(QPointF(x, text.at.y()), run.text);
            x += QFontMetricsF(font, painter.device()).horizontalAdvance(run.text);
        }
    }
    painter.restore();
}

} // namespace artwork
