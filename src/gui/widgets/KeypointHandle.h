#pragma once
// One body point over the pose view: a small ring that the mouse drags, and that the keyboard
// moves once it is selected (an arrow key moves it a pixel, with Shift ten). It is reached with
// Tab like any control, and a screen reader says its name ("right knee") and where it is.

#include <QColor>
#include <QWidget>

class KeypointHandle : public QWidget
{
    Q_OBJECT

public:
    KeypointHandle(const QString& name, QColor colour, QWidget* parent);

    // Centres the ring on `centre`, in the parent's coordinates.
    void setCentre(QPointF centre);
    // A point the model only guessed is drawn hollow.
    void setInSight(bool inSight);

signals:
    // An arrow key: move the point by `delta` pixels of the view.
    void nudged(QPointF delta);
    // The mouse dragged the point to `centre`, in the parent's coordinates.
    void draggedTo(QPointF centre);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QColor m_colour;
    bool m_inSight = true;
    QPointF m_grabOffset; // where in the ring the mouse took hold
};
