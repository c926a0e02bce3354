#pragma once
// A printed page as a list of what stands where: texts, drawings, pictures and lines, each in a
// rectangle in points (1/72 inch) from the paper's top left corner. A page is laid out once,
// measured with the fonts of the device it is for, and then drawn as laid out, so what was
// measured is what is printed. Tests read the layout to know where each part must stand.
//
// Parts are laid out as blocks of their own from the top left corner (0, 0) and then placed:
// a block knows its height only once its texts are measured.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

class QPaintDevice;
class QPagedPaintDevice;

struct PageItem
{
    enum class Kind : std::uint8_t
    {
        Text,
        Svg, // `text` is the resource path of artwork, drawn into `rect` (`stretch`: filling it)
        Picture, // `picture` drawn into `rect`
        Fill,    // `rect` filled with `colour`
        Frame,   // the outline of `rect` in `colour`
    };
    Kind kind = Kind::Text;
    // What the item shows, for finding it: "date", "action left", "words 12", ...
    QString role;
    QRectF rect;
    QString text;
    QFont font;
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
    // Whether a line may break inside a word: for names, which may be one long word.
    bool breakAnywhere = false;
    // Whether artwork fills its rectangle, or keeps its proportions, centred.
    bool stretch = false;
    QImage picture;
};

// How a text is set: font, colour, alignment within its width, breaking.
struct TextStyle
{
    QFont font;
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
    bool breakAnywhere = false;
};

class PageLayout
{
public:
    // `device` gives the fonts' measures; `page` is the paper's size in points.
    PageLayout(const QPaintDevice& device, QSizeF page);

    QSizeF page() const { return m_page; }
    const QPaintDevice& device() const { return *m_device; }

    // The height that `text` needs set in `width` points, and the width of its widest line.
    double textHeight(const QString& text, const TextStyle& style, double width) const;
    double textWidth(const QString& text, const TextStyle& style) const;
    int textLines(const QString& text, const TextStyle& style, double width) const;

    // Sets `text` in `width` at `topLeft` and returns the bottom of what it takes.
    double addText(const QString& role, QPointF topLeft, double width, const QString& text,
                   const TextStyle& style);
    // Artwork from the resources (a drawing, the worksheet), filling `box` when `stretch`, or
    // as large as fits and centred there.
    void addArtwork(const QString& role, const QRectF& box, const QString& resource, bool stretch);
    void add(PageItem item) { m_items.push_back(std::move(item)); }
    // Every item of `block`, moved by `offset`.
    void place(const PageLayout& block, QPointF offset);

    const std::vector<PageItem>& items() const { return m_items; }
    // The first item with this role, or none.
    const PageItem* find(const QString& role) const;
    // The lowest bottom edge of all items (0 for none).
    double bottom() const;

private:
    const QPaintDevice* m_device;
    QSizeF m_page;
    std::vector<PageItem> m_items;
};

// The paper of a device whose whole paper is its paint area, in points.
QSizeF paperSize(const QPaintDevice& device);

// Draws the laid-out page on a device whose whole paper is its paint area; false when the
// device cannot be painted on.
bool paintPage(QPagedPaintDevice& device, const PageLayout& layout);

// A font of the page: family, size in points, weight.
QFont pageFont(const QString& family, double points, bool bold = false);
