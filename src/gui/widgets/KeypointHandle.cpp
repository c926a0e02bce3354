#include "KeypointHandle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Large enough to take hold of with the mouse; the ring itself is drawn smaller.
constexpr int Size = 18;

} // namespace

KeypointHandle::KeypointHandle(const QString& name, QColor colour, QWidget* parent)
    : QWidget(parent), m_colour(colour)
{
    setObjectName(name);
    setAccessibleName(name);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    resize(Size, Size);
}

void KeypointHandle::setCentre(QPointF centre)
{
    move((centre - QPointF(Size / 2.0, Size / 2.0)).toPoint());
}

void KeypointHandle::setInSight(bool inSight)
{
    m_inSight = inSight;
    update();
}

void KeypointHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(Size / 2.0, Size / 2.0);
    if (hasFocus()) {
        // The selected point stands out in black and white on any picture.
        painter.setPen(QPen(Qt::white, 4));
        painter.drawEllipse(centre, 7.5, 7.5);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawEllipse(centre, 7.5, 7.5);
    }
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(m_inSight ? QBrush(m_colour) : QBrush(Qt::NoBrush));
    painter.drawEllipse(centre, 4.5, 4.5);
    if (!m_inSight) {
        painter.setPen(QPen(m_colour, 2));
        painter.drawEllipse(centre, 3.5, 3.5);
    }
}

void KeypointHandle::keyPressEvent(QKeyEvent* event)
{
    const double step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        emit nudged({-step, 0});
        return;
    case Qt::Key_Right:
        emit nudged({step, 0});
        return;
    case Qt::Key_Up:
        emit nudged({0, -step});
        return;
    case Qt::Key_Down:
        emit nudged({0, step});
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KeypointHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_grabOffset = event->position() - QPointF(Size / 2.0, Size / 2.0);
}

void KeypointHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons().testFlag(Qt::LeftButton))
        emit draggedTo(mapToParent(event->position() - m_grabOffset));
}
