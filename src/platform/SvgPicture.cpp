#include "SvgPicture.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

namespace {

// Several controls show the same drawing (both arms use one set): parse each file once.
QHash<QString, std::shared_ptr<QSvgRenderer>>& renderers()
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> parsed;
    return parsed;
}

std::shared_ptr<QSvgRenderer> sharedRenderer(const QString& resource)
{
    std::shared_ptr<QSvgRenderer>& renderer = renderers()[resource];
    if (!renderer)
        renderer = std::make_shared<QSvgRenderer>(resource);
    return renderer;
}

} // namespace

SvgPicture::SvgPicture(const QString& resource, Scaling scaling, QWidget* parent)
    : QWidget(parent), m_resource(resource), m_scaling(scaling),
      m_renderer(sharedRenderer(resource))
{
}

void SvgPicture::dropSharedRenderers()
{
    // Controls still alive keep their renderer; the cache lets go of its share.
    renderers().clear();
}

bool SvgPicture::isValid() const
{
    return m_renderer->isValid();
}

QRectF SvgPicture::pictureRect() const
{
    const QRectF area = rect();
    if (m_scaling == Scaling::Stretch || !m_renderer->isValid())
        return area;
    QSizeF size = m_renderer->viewBoxF().size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, pictureRect());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void SvgPicture::keyPressEvent(QKeyEvent* event)
{
    if (focusPolicy() != Qt::NoFocus && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SvgPicture::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (m_pressed && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
