#pragma once
// The task picture shown large, with the worker's body points and the joint angles they give
// drawn over it. Each point an angle needs is a KeypointHandle: dragged with the mouse, or
// moved with the arrow keys once selected, Tab going from one to the next. Each measured angle
// is a label on its joint, which a screen reader reads as "right knee bend: 45°". The view only
// shows the points it is given and announces where the person moved one, in the picture's own
// pixels.

#include "FitAndCentre.h"
#include "Keypoints.h"
#include "PoseAngles.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <vector>

class KeypointHandle;
class QLabel;

class PoseView : public QWidget
{
    Q_OBJECT

public:
    explicit PoseView(QWidget* parent = nullptr);

    // `pictureSize` is the picture's own size, which the points are given in (the image may
    // have been decoded smaller). No points are shown until setPose.
    void setPicture(const QImage& picture, QSizeF pictureSize);
    void setPose(const Keypoints& points, const PoseAngles& angles);
    void clearPose();

    // The size in device pixels a picture filling the view would need.
    QSize deviceSize() const;

signals:
    void pointMoved(Landmark landmark, QPointF picturePosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF toView(Landmark landmark) const;
    void movePoint(Landmark landmark, QPointF viewPosition);
    void placeAngleLabels();

    QImage m_picture;
    QSizeF m_pictureSize;
    QPixmap m_shown; // the picture scaled to where it is shown
    FitResult m_fit;
    Keypoints m_points{};
    PoseAngles m_angles;
    bool m_hasPose = false;
    std::vector<std::pair<Landmark, KeypointHandle*>> m_handles;
    std::vector<QLabel*> m_angleLabels;
};
