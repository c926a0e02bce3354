#pragma once
// A picture box: keeps what is painted into it through hiding, covering and repainting. The
// content is held at device resolution (the box's size times its device pixel ratio), so a
// picture painted into it stays sharp on high-DPI screens. It can be painted into before it is
// ever shown: only its designed size counts.

#include "FitAndCentre.h"

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
    // Back to the plain background.
    void clear();

    // The size in device pixels that a picture filling the box would need.
    QSize deviceSize() const;
    // Clears the box to its background and paints `picture` into it, fitted and centred.
    // `pictureSize` is the picture's own size, used for the proportions (the image itself may
    // have been decoded smaller). Lengths are the box's logical pixels.
    FitResult paintFitted(const QImage& picture, QSizeF pictureSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_content;
};
