#include "OptionFrame.h"

#include "Form.h"
#include "SvgPicture.h"

#include <QPainter>

OptionFrame::OptionFrame(const QString& frameName, QWidget* parent)
    : QFrame(parent), m_backColor(ButtonFace)
{
    setObjectName(frameName);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    // Only a box around the drawing, which is the control: no "frame" (a window) to a screen
    // reader.
    setAccessibleRole(this, QAccessible::Client);
}

void OptionFrame::setBackColor(quint32 colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    if (drawing)
        drawing->setChecked(isHighlighted());
    update();
}

void OptionFrame::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), vbColor(m_backColor));
    }
    QFrame::paintEvent(event);
}
