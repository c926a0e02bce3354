#include "PoseView.h"

#include "Form.h"
#include "KeypointHandle.h"
#include "Suggestion.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

const QColor RightColour(225, 65, 35);
const QColor LeftColour(25, 105, 225);
const QColor MiddleColour(35, 165, 70);

QColor colourOf(Side side)
{
    return side == Side::Right ? RightColour : LeftColour;
}

// The points the angles are measured from, in the order Tab goes through them: the head, then
// each arm, then each leg.
constexpr std::array<Landmark, 23> HandleOrder{
    Landmark::Nose,          Landmark::RightEar,      Landmark::LeftEar,
    Landmark::RightShoulder, Landmark::RightElbow,    Landmark::RightWrist,
    Landmark::RightIndex,    Landmark::RightPinky,    Landmark::LeftShoulder,
    Landmark::LeftElbow,     Landmark::LeftWrist,     Landmark::LeftIndex,
    Landmark::LeftPinky,     Landmark::RightHip,      Landmark::RightKnee,
    Landmark::RightAnkle,    Landmark::RightHeel,     Landmark::RightFootIndex,
    Landmark::LeftHip,       Landmark::LeftKnee,      Landmark::LeftAnkle,
    Landmark::LeftHeel,      Landmark::LeftFootIndex,
};

QColor colourOf(Landmark landmark)
{
    if (landmark == Landmark::Nose)
        return MiddleColour;
    // From the ears on, the landmarks alternate left and right, the left first.
    return int(landmark) % 2 == 0 ? RightColour : LeftColour;
}

// The lines of one side of the body, right side first; the left side's are one landmark on.
constexpr std::array<std::pair<Landmark, Landmark>, 11> RightLimbs{{
    {Landmark::RightEar, Landmark::RightShoulder},
    {Landmark::RightShoulder, Landmark::RightElbow},
    {Landmark::RightElbow, Landmark::RightWrist},
    {Landmark::RightWrist, Landmark::RightIndex},
    {Landmark::RightWrist, Landmark::RightPinky},
    {Landmark::RightShoulder, Landmark::RightHip},
    {Landmark::RightHip, Landmark::RightKnee},
    {Landmark::RightKnee, Landmark::RightAnkle},
    {Landmark::RightAnkle, Landmark::RightHeel},
    {Landmark::RightHeel, Landmark::RightFootIndex},
    {Landmark::RightAnkle, Landmark::RightFootIndex},
}};

Landmark leftOf(Landmark right)
{
    return Landmark(int(right) - 1);
}

struct AngleMark
{
    Measure measure;
    Side side;
};
constexpr std::array<AngleMark, 10> AngleMarks{{
    {Measure::Trunk, Side::Right},
    {Measure::Neck, Side::Right},
    {Measure::UpperArm, Side::Right},
    {Measure::UpperArm, Side::Left},
    {Measure::Elbow, Side::Right},
    {Measure::Elbow, Side::Left},
    {Measure::Wrist, Side::Right},
    {Measure::Wrist, Side::Left},
    {Measure::Knee, Side::Right},
    {Measure::Knee, Side::Left},
}};

bool bothSides(Measure measure)
{
    return measure != Measure::Trunk && measure != Measure::Neck;
}

QString degrees(float value)
{
    return QString::number(double(value), 'f', 0) + QChar(0xB0);
}

} // namespace

PoseView::PoseView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const Landmark landmark : HandleOrder) {
        const std::string_view name = landmarkName(landmark);
        auto* handle = new KeypointHandle(QString::fromUtf8(name), colourOf(landmark), this);
        handle->hide();
        connect(handle, &KeypointHandle::draggedTo, this,
                [this, landmark](QPointF centre) { movePoint(landmark, centre); });
        connect(handle, &KeypointHandle::nudged, this,
                [this, landmark](QPointF delta) { movePoint(landmark, toView(landmark) + delta); });
        m_handles.emplace_back(landmark, handle);
    }
    setFocusProxy(m_handles.front().second);
    for (const AngleMark& mark : AngleMarks) {
        auto* label = new QLabel(this);
        const QString name = QString::fromStdString(angleName(mark.measure, mark.side));
        label->setObjectName(name);
        setAccessibleCaption(label, name);
        const QColor colour = bothSides(mark.measure) ? colourOf(mark.side) : MiddleColour;
        label->setStyleSheet(QStringLiteral("QLabel { color: %1; background: rgba(255, 255, 255, "
                                            "215); border-radius: 3px; padding: 0 2px; }")
                                 .arg(colour.name()));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->hide();
        m_angleLabels.push_back(label);
    }
}

void PoseView::setPicture(const QImage& picture, QSizeF pictureSize)
{
    m_picture = picture;
    m_pictureSize = pictureSize.isEmpty() ? QSizeF(picture.size()) : pictureSize;
    clearPose();
    resizeEvent(nullptr);
}

void PoseView::setPose(const Keypoints& points, const PoseAngles& angles)
{
    m_points = points;
    m_angles = angles;
    m_hasPose = true;
    for (const auto& [landmark, handle] : m_handles) {
        const Keypoint& p = at(m_points, landmark);
        const bool inSight = p.visibility >= VisibilityThreshold;
        handle->setCentre(toView(landmark));
        handle->setInSight(inSight);
        handle->setAccessibleDescription(
            QStringLiteral("at %1, %2 in the picture%3")
                .arg(qRound(p.x))
                .arg(qRound(p.y))
                .arg(inSight ? QString() : QStringLiteral(", not clearly in sight")));
        handle->show();
    }
    placeAngleLabels();
    update();
}

void PoseView::clearPose()
{
    m_hasPose = false;
    for (const auto& entry : m_handles)
        entry.second->hide();
    for (QLabel* label : m_angleLabels)
        label->hide();
    update();
}

QSize PoseView::deviceSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

QPointF PoseView::toView(Landmark landmark) const
{
    const Keypoint& p = at(m_points, landmark);
    const double scale = m_fit.fitWidth / m_pictureSize.width();
    return {m_fit.left + (p.x + 0.5) * scale, m_fit.top + (p.y + 0.5) * scale};
}

void PoseView::movePoint(Landmark landmark, QPointF viewPosition)
{
    const double scale = m_fit.fitWidth / m_pictureSize.width();
    const QPointF inPicture((viewPosition.x() - m_fit.left) / scale - 0.5,
                            (viewPosition.y() - m_fit.top) / scale - 0.5);
    emit pointMoved(landmark,
                    QPointF(std::clamp(inPicture.x(), -0.5, m_pictureSize.width() - 0.5),
                            std::clamp(inPicture.y(), -0.5, m_pictureSize.height() - 0.5)));
}

void PoseView::placeAngleLabels()
{
    const auto middle = [this](Landmark a, Landmark b) { return (toView(a) + toView(b)) / 2; };
    for (std::size_t i = 0; i < AngleMarks.size(); ++i) {
        const AngleMark& mark = AngleMarks[i];
        QLabel* label = m_angleLabels[i];
        const JointAngle& angle = m_angles.of(mark.measure, mark.side);
        const bool shown = m_hasPose && angle.measured;
        label->setVisible(shown);
        if (!shown)
            continue;
        label->setText(degrees(angle.degrees));
        label->adjustSize();
        // Each label lies on what its angle measures: the trunk, the neck and the upper arm
        // on their line, the other joints at the joint; right-side labels to the right of it
        // and left-side ones to the left, so that the two sides of a side view stay apart.
        const bool right = mark.side == Side::Right;
        const auto side = [right](Landmark r) { return right ? r : leftOf(r); };
        const QPointF shoulders = middle(Landmark::LeftShoulder, Landmark::RightShoulder);
        QPointF anchor;
        switch (mark.measure) {
        case Measure::Trunk:
            anchor = (shoulders + middle(Landmark::LeftHip, Landmark::RightHip)) / 2;
            break;
        case Measure::Neck:
            anchor = (shoulders + middle(Landmark::LeftEar, Landmark::RightEar)) / 2;
            break;
        case Measure::UpperArm:
            anchor = middle(side(Landmark::RightShoulder), side(Landmark::RightElbow));
            break;
        case Measure::Elbow:
            anchor = toView(side(Landmark::RightElbow));
            break;
        case Measure::Wrist:
            anchor = toView(side(Landmark::RightWrist));
            break;
        case Measure::Knee:
        case Measure::None:
            anchor = toView(side(Landmark::RightKnee));
            break;
        }
        const QPoint corner(right ? qRound(anchor.x()) + 10
                                  : qRound(anchor.x()) - 10 - label->width(),
                            qRound(anchor.y()) - label->height() / 2);
        label->move(corner);
    }
}

void PoseView::resizeEvent(QResizeEvent*)
{
    m_shown = {};
    if (!m_picture.isNull() && !m_pictureSize.isEmpty()) {
        m_fit = fitAndCentre(m_pictureSize, QSizeF(size()));
        const qreal ratio = devicePixelRatioF();
        m_shown =
            QPixmap::fromImage(m_picture.scaled((m_fit.rect().size() * ratio).toSize(),
                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_shown.setDevicePixelRatio(ratio);
    }
    if (m_hasPose)
        setPose(m_points, m_angles);
}

void PoseView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (m_shown.isNull())
        return;
    painter.drawPixmap(m_fit.rect().topLeft(), m_shown);
    if (!m_hasPose)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const auto line = [&](QPointF a, QPointF b, QColor colour) {
        painter.setPen(QPen(QColor(255, 255, 255, 160), 4.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(a, b);
        painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(a, b);
    };
    for (const auto& [a, b] : RightLimbs) {
        line(toView(leftOf(a)), toView(leftOf(b)), LeftColour);
        line(toView(a), toView(b), RightColour);
    }
    // The trunk and the neck as their angles see them: from the middle of the hips to the
    // middle of the shoulders, and on to the middle of the ears.
    const auto middle = [this](Landmark a, Landmark b) { return (toView(a) + toView(b)) / 2; };
    const QPointF shoulders = middle(Landmark::LeftShoulder, Landmark::RightShoulder);
    line(middle(Landmark::LeftHip, Landmark::RightHip), shoulders, MiddleColour);
    line(shoulders, middle(Landmark::LeftEar, Landmark::RightEar), MiddleColour);
}
