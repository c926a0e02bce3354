#include "MeasurePicture.h"

#include "PoseView.h"

#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

namespace {

QString degrees(float value)
{
    return QString::number(double(value), 'f', 0) + QChar(0xB0);
}

// One region's line: the suggested drawing in the words of the option table, or why the
// assessor is to look for themselves, with the angle measured.
QString suggestionLine(const RegionSuggestion& s)
{
    using Verdict = RegionSuggestion::Verdict;
    const QString angle = s.angle.measured ? QString::fromStdString(angleName(s.measure, s.side)) +
                                                 u' ' + degrees(s.angle.degrees)
                                           : QStringLiteral("not measured");
    QString verdict;
    switch (s.verdict) {
    case Verdict::Drawing: {
        const OptionSpec& option = Options[std::size_t(s.option)];
        verdict =
            QStringLiteral("Option %1, %2").arg(option.option).arg(QString::fromUtf8(option.words));
        break;
    }
    case Verdict::NoDrawing:
        verdict = QStringLiteral("no knee drawing");
        break;
    case Verdict::CheckByEye:
        verdict = s.angle.visibility < VisibilityThreshold
                      ? QStringLiteral("check by eye, not clearly in sight")
                      : QStringLiteral("check by eye, near where one drawing gives way to another");
        break;
    case Verdict::NotMeasured:
        verdict = QStringLiteral("check by eye");
        break;
    }
    return QStringLiteral("%1: %2 (%3)")
        .arg(QString::fromUtf8(regionCaption(s.region)), verdict, angle);
}

} // namespace

MeasurePicture::MeasurePicture()
    : Form(QStringLiteral("MeasurePicture"), QStringLiteral("VESK - Measure on Picture"),
           QSize(14400, 10200))
{
    const QString arial = QStringLiteral("Arial");
    const QFont font = designFont(arial, 10);
    const QFont buttonFont = designFont(arial, 12, true);

    Picture = new PoseView(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setAccessibleName(QStringLiteral("Task picture"));
    place(Picture, 120, 120, 9360, 9960);

    Status = addLabel(QStringLiteral("Status"), {}, {9600, 120, 4680, 1560}, font);
    Busy = new QProgressBar(this);
    Busy->setObjectName(QStringLiteral("Busy"));
    Busy->setRange(0, 0); // turns while it is not known how long it takes
    Busy->setAccessibleName(QStringLiteral("Measuring"));
    place(Busy, 9600, 1740, 2940, 330);
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Ca&ncel"),
                          {12660, 1680, 1620, 450}, buttonFont);

    QLabel* heading = addLabel(QStringLiteral("Label1"), QStringLiteral("Suggested drawings:"),
                               {9600, 2280, 4680, 360}, designFont(arial, 10, true));
    Suggestions = new QListWidget(this);
    Suggestions->setObjectName(QStringLiteral("Suggestions"));
    Suggestions->setFont(font);
    Suggestions->setWordWrap(true);
    Suggestions->setSpacing(2);
    Suggestions->setAlternatingRowColors(true);
    Suggestions->setAccessibleName(QStringLiteral("Suggested drawings"));
    place(Suggestions, 9600, 2640, 4680, 5880);
    heading->setBuddy(Suggestions);
    addLabel(QStringLiteral("Label2"),
             QStringLiteral("Red: the right side of the body, blue: the left. Angles in degrees, "
                            "bending forward positive."),
             {9600, 8580, 4680, 600}, designFont(arial, 9));

    cmdChoose = addButton(QStringLiteral("cmdChoose"), QStringLiteral("&Choose Suggested Drawings"),
                          {9600, 9300, 2760, 780}, buttonFont);
    cmdClose = addButton(QStringLiteral("cmdClose"), QStringLiteral("C&lose"),
                         {12480, 9300, 1800, 780}, buttonFont);
    keepDesignedSize();

    connect(Picture, &PoseView::pointMoved, this, &MeasurePicture::movePoint);
    connect(cmdCancel, &QPushButton::clicked, this, &MeasurePicture::cancelRequested);
    connect(cmdChoose, &QPushButton::clicked, this, &MeasurePicture::cmdChoose_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::hide);
    setBusy(false);
    cmdChoose->setEnabled(false);
}

void MeasurePicture::showMeasuring(const QImage& picture, QSizeF pictureSize)
{
    Picture->setPicture(picture, pictureSize);
    m_suggestions.clear();
    showSuggestions();
    Status->setText(QStringLiteral("Looking for the person on the picture..."));
    setBusy(true);
}

void MeasurePicture::showKeypoints(const Keypoints& points)
{
    m_points = points;
    setBusy(false);
    Status->setText(
        QStringLiteral("Drag a point to where the joint really is, or select it and move it with "
                       "the arrow keys (with Shift ten times as far); Tab goes to the next "
                       "point. The angles and the suggestions follow."));
    refresh();
    Picture->setFocus(Qt::OtherFocusReason);
}

void MeasurePicture::showProblem(Problem problem, const QString& detail)
{
    setBusy(false);
    Picture->clearPose();
    m_suggestions.clear();
    showSuggestions();
    switch (problem) {
    case Problem::NoPerson:
        Status->setText(QStringLiteral("No person was found on this picture. Nothing has been "
                                       "chosen: choose the drawings by eye."));
        break;
    case Problem::NotMeasured:
        Status->setText(QStringLiteral("This picture could not be measured (%1). Nothing has "
                                       "been chosen: choose the drawings by eye.")
                            .arg(detail));
        break;
    case Problem::Cancelled:
        Status->setText(QStringLiteral("Measuring was cancelled and nothing has been chosen. "
                                       "Measure on Picture starts again."));
        break;
    }
}

QSize MeasurePicture::pictureDeviceSize() const
{
    return Picture->deviceSize();
}

void MeasurePicture::hideEvent(QHideEvent* event)
{
    // Not when the window is only minimised.
    if (m_busy && !event->spontaneous())
        emit cancelRequested();
    Form::hideEvent(event);
}

void MeasurePicture::setBusy(bool busy)
{
    m_busy = busy;
    Busy->setVisible(busy);
    cmdCancel->setVisible(busy);
    if (busy)
        cmdCancel->setFocus(Qt::OtherFocusReason);
}

// A point the assessor has put in place counts as in sight, wherever the model thought it was.
void MeasurePicture::movePoint(Landmark landmark, QPointF picturePosition)
{
    Keypoint& point = m_points[std::size_t(landmark)];
    point.x = float(picturePosition.x());
    point.y = float(picturePosition.y());
    point.visibility = 1;
    refresh();
}

void MeasurePicture::refresh()
{
    const PoseAngles angles = measureAngles(m_points);
    m_suggestions = suggestDrawings(angles);
    Picture->setPose(m_points, angles);
    showSuggestions();
}

void MeasurePicture::showSuggestions()
{
    Suggestions->clear();
    bool anyDrawing = false;
    for (const RegionSuggestion& s : m_suggestions) {
        Suggestions->addItem(suggestionLine(s));
        anyDrawing = anyDrawing || s.option >= 0;
    }
    cmdChoose->setEnabled(anyDrawing);
}

void MeasurePicture::cmdChoose_Click()
{
    QList<int> options;
    for (const RegionSuggestion& s : m_suggestions) {
        if (s.option >= 0)
            options << s.option;
    }
    emit chooseRequested(options);
}
