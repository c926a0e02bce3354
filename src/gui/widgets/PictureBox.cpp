#include "PictureBox.h"

#include "Form.h"

#include <QPainter>

#include <cmath>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAccessibleRole(this, QAccessible::Graphic);
}

void PictureBox::setContent(QImage content)
{
    m_content = std::move(content);
    update();
}

void PictureBox::clear()
{
    m_content = QImage();
    update();
}

QSize PictureBox::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

FitResult PictureBox::paintFitted(const QImage& picture, QSizeF pictureSize)
{
    const FitResult fit = fitAndCentre(pictureSize, QSizeF(size()));
    QImage canvas(deviceSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(devicePixelRatioF());
    canvas.fill(palette().color(backgroundRole()));
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(fit.rect(), picture);
    }
    setContent(std::move(canvas));
    return fit;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    if (!m_content.isNull())
        painter.drawImage(rect(), m_content);
}
