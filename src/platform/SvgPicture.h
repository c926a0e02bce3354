#pragma once
// An image control showing a vector picture. It paints at the device's resolution, so the
// picture stays sharp at any scaling. A press and release inside it is a click.

#include <QWidget>

#include <memory>

class QSvgRenderer;

class SvgPicture : public QWidget
{
    Q_OBJECT

public:
    enum class Scaling
    {
        Stretch, // fills the control, proportions not kept (a stretched image control)
        Fit,     // as large as fits, proportions kept, centred
    };

    SvgPicture(const QString& resource, Scaling scaling, QWidget* parent = nullptr);

    QString resource() const { return m_resource; }
    bool isValid() const;
    // Forgets the parsed drawings, so that the next controls parse their files again
    // (benchmarks measure a cold start with it).
    static void dropSharedRenderers();
    // The rectangle the picture is painted into.
    QRectF pictureRect() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A control that takes the focus is clicked with Space or Enter as well.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_resource;
    Scaling m_scaling;
    std::shared_ptr<QSvgRenderer> m_renderer;
    bool m_pressed = false;
};
