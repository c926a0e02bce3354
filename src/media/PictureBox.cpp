#include "media/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

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

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_content.isNull())
        painter.drawImage(rect(), m_content);
}
