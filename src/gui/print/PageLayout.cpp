#include "PageLayout.h"

#include "Artwork.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <memory>

namespace {

// Device units per point.
double scaleOf(const QPaintDevice& device)
{
    return device.logicalDpiX() / 72.0;
}

// A paragraph broken into lines `width` points wide on `device`, the lines placed from (0, 0).
// Measuring and drawing both go through here, so a page prints exactly as it was measured.
std::unique_ptr<QTextLayout> setText(const QString& text, const TextStyle& style, double width,
                                     const QPaintDevice& device)
{
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_unique<QTextLayout>(lines, style.font, &device);
    QTextOption option(style.align);
    option.setWrapMode(style.breakAnywhere ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                           : QTextOption::WordWrap);
    layout->setTextOption(option);
    const double lineWidth = width * scaleOf(device);
    double y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

void drawItem(QPainter& painter, const PageItem& item, const QPaintDevice& device)
{
    const double scale = scaleOf(device);
    const QRectF rect = QTransform::fromScale(scale, scale).mapRect(item.rect);
    switch (item.kind) {
    case PageItem::Kind::Text: {
        const TextStyle style{item.font, item.colour, item.align, item.breakAnywhere};
        const auto layout = setText(item.text, style, item.rect.width(), device);
        painter.setPen(item.colour);
        layout->draw(&painter, rect.topLeft());
        break;
    }
    case PageItem::Kind::Svg:
        artwork::draw(painter, item.text, rect,
                      item.stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
        break;
    case PageItem::Kind::Picture:
        painter.drawImage(rect, item.picture);
        break;
    case PageItem::Kind::Fill:
        painter.fillRect(rect, item.colour);
        break;
    case PageItem::Kind::Frame:
        painter.setPen(QPen(item.colour, 0.75 * scale));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        break;
    }
}

} // namespace

PageLayout::PageLayout(const QPaintDevice& device, QSizeF page) : m_device(&device), m_page(page) {}

double PageLayout::textHeight(const QString& text, const TextStyle& style, double width) const
{
    return setText(text, style, width, *m_device)->boundingRect().height() / scaleOf(*m_device);
}

double PageLayout::textWidth(const QString& text, const TextStyle& style) const
{
    // Set without a limit: one line per line of the text.
    const auto layout = setText(text, style, 1e6, *m_device);
    double widest = 0;
    for (int i = 0; i < layout->lineCount(); ++i)
        widest = std::max(widest, layout->lineAt(i).naturalTextWidth());
    return widest / scaleOf(*m_device);
}

int PageLayout::textLines(const QString& text, const TextStyle& style, double width) const
{
    return setText(text, style, width, *m_device)->lineCount();
}

double PageLayout::addText(const QString& role, QPointF topLeft, double width, const QString& text,
                           const TextStyle& style)
{
    const double height = textHeight(text, style, width);
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.role = role;
    item.rect = QRectF(topLeft, QSizeF(width, height));
    item.text = text;
    item.font = style.font;
    item.colour = style.colour;
    item.align = style.align;
    item.breakAnywhere = style.breakAnywhere;
    add(std::move(item));
    return topLeft.y() + height;
}

void PageLayout::addArtwork(const QString& role, const QRectF& box, const QString& resource,
                            bool stretch)
{
    PageItem item;
    item.kind = PageItem::Kind::Svg;
    item.role = role;
    item.rect = box;
    item.text = resource;
    item.stretch = stretch;
    add(std::move(item));
}

void PageLayout::place(const PageLayout& block, QPointF offset)
{
    for (PageItem item : block.items()) {
        item.rect.translate(offset);
        add(std::move(item));
    }
}

const PageItem* PageLayout::find(const QString& role) const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&](const PageItem& item) { return item.role == role; });
    return found == m_items.end() ? nullptr : &*found;
}

double PageLayout::bottom() const
{
    double lowest = 0;
    for (const PageItem& item : m_items)
        lowest = std::max(lowest, item.rect.bottom());
    return lowest;
}

QSizeF paperSize(const QPaintDevice& device)
{
    return QSizeF(device.width(), device.height()) / scaleOf(device);
}

bool paintPage(QPagedPaintDevice& device, const PageLayout& layout)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem& item : layout.items())
        drawItem(painter, item, device);
    return painter.end();
}

QFont pageFont(const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
