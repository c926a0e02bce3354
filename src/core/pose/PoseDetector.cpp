#include "PoseDetector.h"

#include "LandmarkModel.h"
#include "PersonDetector.h"

#include <QCoreApplication>
#include <QDir>

#include <exception>
#include <new>

namespace {

// Below this the landmark model says no person stands in the region.
constexpr float MinPresence = 0.5f;

} // namespace

struct PoseDetector::Models
{
    PersonDetector detector;
    LandmarkModel landmarks;
};

PoseDetector::PoseDetector(std::unique_ptr<Models> models) : m_models(std::move(models)) {}

PoseDetector::~PoseDetector() = default;

std::unique_ptr<PoseDetector> PoseDetector::load(const std::string& folder, std::string& error)
{
    const std::string detector = folder + "/" + DetectorFile;
    const std::string landmarks = folder + "/" + LandmarkFile;
    for (const std::string& file : {detector, landmarks}) {
        if (!QFileInfo(QString::fromStdString(file)).isFile()) {
            error = "the pose model " + file + " is missing";
            return nullptr;
        }
    }
    try {
        return std::unique_ptr<PoseDetector>(new PoseDetector(
            std::make_unique<Models>(Models{PersonDetector(detector), LandmarkModel(landmarks)})));
    } catch (const std::exception& e) {
        error = "the pose model in " + folder + " cannot be read: " + e.what();
    }
    return nullptr;
}

std::string PoseDetector::defaultFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VESK_POSE_MODELS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment.toStdString();
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("pose"))
        .toStdString();
}

PoseMeasurement PoseDetector::measure(const PixelView& picture, const std::stop_token& stop)
{
    using Outcome = PoseMeasurement::Outcome;
    PoseMeasurement result;
    PoseMeasurement stopped;
    stopped.outcome = Outcome::Stopped;
    const int channels = picture.layout == PixelView::Layout::Rgb ? 3 : 4;
    if (!picture.bits || picture.width <= 0 || picture.height <= 0 ||
        picture.bytesPerLine < std::ptrdiff_t(picture.width) * channels) {
        result.error = "the picture has no pixels";
        return result;
    }
    try {
        const cv::Mat pixels(picture.height, picture.width, channels == 3 ? CV_8UC3 : CV_8UC4,
                             const_cast<std::uint8_t*>(picture.bits),
                             std::size_t(picture.bytesPerLine));
        if (stop.stop_requested())
            return stopped;
        const auto found = m_models->detector.find(pixels, picture.layout);
        result.modelSeconds = m_models->detector.lastPassSeconds();
        if (!found) {
            result.outcome = Outcome::NoPerson;
            return result;
        }
        result.detectionScore = found->score;
        RegionOfInterest region = found->region;
        LandmarkModel::Result landmarks;
        for (int pass = 0; pass < 2; ++pass) {
            if (stop.stop_requested())
                return stopped;
            landmarks = m_models->landmarks.run(pixels, picture.layout, region);
            result.modelSeconds += m_models->landmarks.lastPassSeconds();
            if (landmarks.presence < MinPresence)
                break;
            if (pass == 0)
                region = landmarks.next;
        }
        result.presence = landmarks.presence;
        if (landmarks.presence < MinPresence) {
            result.outcome = Outcome::NoPerson;
            return result;
        }
        // The last region once more in a mirror, and the mean of both: the model's errors on
        // a body and on its mirror image differ, and half of each is left.
        if (stop.stop_requested())
            return stopped;
        const LandmarkModel::Result mirror =
            m_models->landmarks.run(pixels, picture.layout, region, true);
        result.modelSeconds += m_models->landmarks.lastPassSeconds();
        for (std::size_t i = 0; i < landmarks.keypoints.size(); ++i) {
            Keypoint& p = landmarks.keypoints[i];
            const Keypoint& q = mirror.keypoints[i];
            p = {(p.x + q.x) / 2, (p.y + q.y) / 2, (p.z + q.z) / 2,
                 (p.visibility + q.visibility) / 2};
        }
        // From the decoded pixels to the picture's own.
        const float sx =
            picture.pictureWidth > 0 ? float(picture.pictureWidth) / float(picture.width) : 1;
        const float sy =
            picture.pictureHeight > 0 ? float(picture.pictureHeight) / float(picture.height) : 1;
        for (Keypoint& p : landmarks.keypoints) {
            p.x = (p.x + 0.5f) * sx - 0.5f;
            p.y = (p.y + 0.5f) * sy - 0.5f;
            p.z *= sx;
        }
        result.keypoints = landmarks.keypoints;
        result.outcome = Outcome::Person;
    } catch (const std::bad_alloc&) {
        result.error = "there is not enough memory to measure the picture";
    } catch (const std::exception& e) {
        result.error = std::string("the pose model failed: ") + e.what();
    }
    return result;
}
