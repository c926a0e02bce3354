#pragma once
// A picture box: keeps what is painted into it through hiding, covering and repainting.

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The content as last painted; null until something is painted.
    const QImage& content() const { return m_content; }
    void setContent(QImage content);
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_content;
};
