#pragma once
// Draws the program's artwork (the drawings and the worksheet, SVG resources) on a printed page.
// Qt's SVG renderer turns every text of a drawing into outlines, which makes a page of drawings
// several times larger and slower to write than its vectors need, and leaves the text unsearchable.
// So the shapes are drawn by the SVG renderer and the texts as text, by the painter, from the
// same file. The artwork uses a small part of SVG for its texts (tools/artwork writes them):
// <text> with x, y, font-family, font-size, fill, font-weight, text-anchor and xml:space, holding
// plain text and <tspan font-weight>; that is what is read here.

#include <QRectF>
#include <QString>
#include <Qt>

class QPainter;

namespace artwork {

// Draws the SVG resource `resource` into `box` (device coordinates of `painter`): stretched to
// fill it, or as large as fits and centred.
void draw(QPainter& painter, const QString& resource, const QRectF& box,
          Qt::AspectRatioMode proportions);

} // namespace artwork
