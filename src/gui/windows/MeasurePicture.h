#pragma once
// The task picture measured: the picture large, with the worker's body points and joint angles
// drawn on it, and per region the drawing the angle suggests or "check by eye". The assessor
// moves a point to where the joint really is, by mouse or keyboard, and the angles and the
// suggestions follow at once. Nothing is chosen here: Choose Suggested Drawings announces the
// suggested drawings, and whoever listens chooses them. The window keeps the points as the
// assessor left them, as a text box keeps its text, and holds no choice.

#include "Form.h"
#include "Keypoints.h"
#include "Suggestion.h"

#include <QList>

#include <cstdint>
#include <vector>

class PoseView;
class QImage;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class MeasurePicture : public Form
{
    Q_OBJECT

public:
    MeasurePicture();

    // Why there are no points to show.
    enum class Problem : std::uint8_t
    {
        NoPerson,
        NotMeasured, // the picture or the model could not be read; `detail` says why
        Cancelled,
    };

    // The picture while the person is looked for on it: busy, with nothing to choose yet.
    // `pictureSize` is its own size, in which the points come.
    void showMeasuring(const QImage& picture, QSizeF pictureSize);
    // The points found on the picture being shown.
    void showKeypoints(const Keypoints& points);
    void showProblem(Problem problem, const QString& detail = {});

    // The size in device pixels the picture is shown at.
    QSize pictureDeviceSize() const;

    PoseView* Picture;
    QLabel* Status;
    QProgressBar* Busy;
    QPushButton* cmdCancel;
    QListWidget* Suggestions;
    QPushButton* cmdChoose;
    QPushButton* cmdClose;

signals:
    // The suggested drawings, as indexes into Options, to be chosen.
    void chooseRequested(const QList<int>& options);
    // Measuring is to stop: Cancel, or the window closed while measuring.
    void cancelRequested();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void setBusy(bool busy);
    void movePoint(Landmark landmark, QPointF picturePosition);
    // The angles and the suggestions of the points as they are now.
    void refresh();
    void showSuggestions();
    void cmdChoose_Click();

    Keypoints m_points{};
    std::vector<RegionSuggestion> m_suggestions;
    bool m_busy = false;
};
