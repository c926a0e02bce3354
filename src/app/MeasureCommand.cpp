#include "MeasureCommand.h"

#include "PictureLoader.h"

#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace measurecommand {

namespace {

constexpr int LongestMeasuringSide = 1600;

QString degrees(float value)
{
    return QString::number(double(value), 'f', 1) + QChar(0xB0);
}

// What the region's line says: the drawing, "no knee drawing" or why to check by eye.
QString verdictText(const RegionSuggestion& s)
{
    using Verdict = RegionSuggestion::Verdict;
    switch (s.verdict) {
    case Verdict::Drawing: {
        const OptionSpec& drawing = Options[std::size_t(s.option)];
        return QString::fromUtf8(drawing.caption) + QStringLiteral(" (") +
               QString::fromUtf8(drawing.words) + QStringLiteral(")");
    }
    case Verdict::NoDrawing:
        return QStringLiteral("no knee drawing (knees bent less than 30%1)").arg(QChar(0xB0));
    case Verdict::CheckByEye:
        return s.angle.visibility < VisibilityThreshold
                   ? QStringLiteral("check by eye (the points are not clearly in sight)")
                   : QStringLiteral(
                         "check by eye (close to where one drawing gives way to another)");
    case Verdict::NotMeasured:
        break;
    }
    return QStringLiteral("check by eye (not measured)");
}

QString sideWord(Side side)
{
    return side == Side::Right ? QStringLiteral("right") : QStringLiteral("left");
}

void print(std::FILE* out, const QString& text)
{
    std::fputs(text.toUtf8().constData(), out);
}

QJsonObject toJson(const PhotoMeasurement& m)
{
    QJsonObject object;
    const bool person = m.pose.outcome == PoseMeasurement::Outcome::Person;
    object[QStringLiteral("person")] = person;
    object[QStringLiteral("picture")] =
        QJsonObject{{QStringLiteral("width"), m.pictureSize.width()},
                    {QStringLiteral("height"), m.pictureSize.height()}};
    if (!person)
        return object;
    object[QStringLiteral("side")] = sideWord(m.angles.nearSide);
    object[QStringLiteral("facing")] =
        m.angles.facing > 0 ? QStringLiteral("right") : QStringLiteral("left");
    object[QStringLiteral("presence")] = std::round(double(m.pose.presence) * 1000) / 1000;
    QJsonArray regions;
    for (const RegionSuggestion& s : m.suggestions) {
        const std::string_view region = regionCaption(s.region);
        QJsonObject entry{
            {QStringLiteral("region"), QString::fromUtf8(region)},
            {QStringLiteral("measure"), QString::fromStdString(angleName(s.measure, s.side))},
            {QStringLiteral("check_by_eye"), s.checkByEye()},
            {QStringLiteral("confidence"), std::round(double(s.angle.visibility) * 100) / 100},
        };
        entry[QStringLiteral("angle")] =
            s.angle.measured ? QJsonValue(std::round(double(s.angle.degrees) * 10) / 10)
                             : QJsonValue();
        if (s.option >= 0) {
            const OptionSpec& drawing = Options[std::size_t(s.option)];
            entry[QStringLiteral("drawing")] = QString::fromUtf8(drawing.caption);
            entry[QStringLiteral("option")] = s.option;
            entry[QStringLiteral("words")] = QString::fromUtf8(drawing.words);
        } else {
            entry[QStringLiteral("drawing")] = QJsonValue();
        }
        regions.append(entry);
    }
    object[QStringLiteral("regions")] = regions;
    QJsonArray keypoints;
    for (int i = 0; i < LandmarkCount; ++i) {
        const Keypoint& p = m.pose.keypoints[std::size_t(i)];
        const std::string_view name = landmarkName(Landmark(i));
        keypoints.append(QJsonObject{
            {QStringLiteral("name"), QString::fromUtf8(name)},
            {QStringLiteral("x"), std::round(double(p.x) * 10) / 10},
            {QStringLiteral("y"), std::round(double(p.y) * 10) / 10},
            {QStringLiteral("visibility"), std::round(double(p.visibility) * 1000) / 1000},
        });
    }
    object[QStringLiteral("keypoints")] = keypoints;
    return object;
}

QString toText(const QString& path, const PhotoMeasurement& m)
{
    QString text = QStringLiteral("Photo: %1 (%2 x %3 pixels)\n")
                       .arg(path)
                       .arg(m.pictureSize.width())
                       .arg(m.pictureSize.height());
    if (m.pose.outcome != PoseMeasurement::Outcome::Person)
        return text + QStringLiteral("No person found on the photo.\n");
    text += QStringLiteral("Person found (presence %1), facing %2, %3 side toward the camera.\n\n")
                .arg(double(m.pose.presence), 0, 'f', 2)
                .arg(m.angles.facing > 0 ? QStringLiteral("right") : QStringLiteral("left"))
                .arg(sideWord(m.angles.nearSide));
    text += QStringLiteral("Suggested drawings (the assessor chooses):\n");
    for (const RegionSuggestion& s : m.suggestions) {
        const std::string_view region = regionCaption(s.region);
        text += QStringLiteral("  %1: %2").arg(QString::fromUtf8(region), verdictText(s));
        if (s.angle.measured)
            text += QStringLiteral(", %1 %2, confidence %3")
                        .arg(QString::fromStdString(angleName(s.measure, s.side)),
                             degrees(s.angle.degrees))
                        .arg(double(s.angle.visibility), 0, 'f', 2);
        text += QLatin1Char('\n');
    }
    text += QStringLiteral("\nKeypoints (x, y in pixels of the photo; visibility):\n");
    for (int i = 0; i < LandmarkCount; ++i) {
        const Keypoint& p = m.pose.keypoints[std::size_t(i)];
        const std::string_view name = landmarkName(Landmark(i));
        text += QStringLiteral("  %1: %2, %3; %4\n")
                    .arg(QString::fromUtf8(name))
                    .arg(double(p.x), 0, 'f', 1)
                    .arg(double(p.y), 0, 'f', 1)
                    .arg(double(p.visibility), 0, 'f', 2);
    }
    return text;
}

} // namespace

QSize measuringSize(QSize pictureSize)
{
    if (!pictureSize.isValid() || pictureSize.isEmpty())
        return {LongestMeasuringSide, LongestMeasuringSide};
    int divisor = 1;
    while (divisor < 8 &&
           std::max(pictureSize.width(), pictureSize.height()) / divisor > LongestMeasuringSide)
        divisor *= 2;
    return {(pictureSize.width() + divisor - 1) / divisor,
            (pictureSize.height() + divisor - 1) / divisor};
}

PhotoMeasurement measurePhoto(const QString& path, PoseDetector& detector,
                              const std::stop_token& stop)
{
    PhotoMeasurement m;
    // What the path is, before anything opens it: a pipe would block the read for ever.
    const QFileInfo info(path);
    if (!info.exists()) {
        m.error = QStringLiteral("%1: the file does not exist").arg(path);
        return m;
    }
    if (info.isDir()) {
        m.error = QStringLiteral("%1: this is a folder, not a photo").arg(path);
        return m;
    }
    if (!info.isFile()) {
        m.error = QStringLiteral("%1: this is not a regular file (a pipe or a device?)").arg(path);
        return m;
    }
    QSize upright;
    {
        QImageReader header(path);
        header.setAutoTransform(true);
        upright = header.size();
        if (header.transformation().testFlag(QImageIOHandler::TransformationRotate90))
            upright.transpose();
    }
    const LoadedPicture picture = PictureLoader::load(path, measuringSize(upright));
    if (!picture.ok()) {
        m.error = QStringLiteral("%1 cannot be read as a picture: %2").arg(path, picture.error);
        return m;
    }
    QImage image = picture.image;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    m.pictureSize = picture.pictureSize;
    m.decodedSize = image.size();
    PixelView view{image.constBits(),     image.width(),           image.height(),
                   image.bytesPerLine(),  PixelView::Layout::Bgrx, m.pictureSize.width(),
                   m.pictureSize.height()};
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        image = image.convertToFormat(QImage::Format_RGB888);
        view = {image.constBits(),     image.width(),          image.height(),
                image.bytesPerLine(),  PixelView::Layout::Rgb, m.pictureSize.width(),
                m.pictureSize.height()};
    }
    m.pose = detector.measure(view, stop);
    if (m.pose.outcome == PoseMeasurement::Outcome::Failed) {
        m.error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(m.pose.error));
        return m;
    }
    if (m.pose.outcome == PoseMeasurement::Outcome::Person) {
        m.angles = measureAngles(m.pose.keypoints);
        m.suggestions = suggestDrawings(m.angles);
    }
    return m;
}

int run(const QString& path, bool json, std::FILE* out, std::FILE* err)
{
    std::string error;
    const std::unique_ptr<PoseDetector> detector =
        PoseDetector::load(PoseDetector::defaultFolder(), error);
    if (!detector) {
        print(err, QString::fromStdString(error) + QLatin1Char('\n'));
        return 1;
    }
    const PhotoMeasurement m = measurePhoto(path, *detector);
    if (!m.error.isEmpty()) {
        print(err, m.error + QLatin1Char('\n'));
        return 1;
    }
    if (json)
        print(out, QString::fromUtf8(QJsonDocument(toJson(m)).toJson(QJsonDocument::Compact)) +
                       QLatin1Char('\n'));
    else
        print(out, toText(path, m));
    return m.pose.outcome == PoseMeasurement::Outcome::Person ? 0 : 1;
}

} // namespace measurecommand
