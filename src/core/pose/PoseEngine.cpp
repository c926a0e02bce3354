// The models' half of the pose detector, built as a module of its own: see PoseEngine.h.
#include "PoseEngine.h"

#include "LandmarkModel.h"
#include "PersonDetector.h"

#include <QtGlobal>

#include <exception>
#include <new>

namespace {

// Below this the landmark model says no person stands in the region.
constexpr float MinPresence = 0.5f;

class Engine final : public PoseEngine
{
public:
    Engine(const std::string& detectorFile, const std::string& landmarkFile)
        : m_detector(detectorFile), m_landmarks(landmarkFile)
    {
    }

    PoseMeasurement measure(const PixelView& picture, const std::stop_token& stop) override;

private:
    PersonDetector m_detector;
    LandmarkModel m_landmarks;
};

PoseMeasurement Engine::measure(const PixelView& picture, const std::stop_token& stop)
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
        const auto found = m_detector.find(pixels, picture.layout);
        result.modelSeconds = m_detector.lastPassSeconds();
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
            landmarks = m_landmarks.run(pixels, picture.layout, region);
            result.modelSeconds += m_landmarks.lastPassSeconds();
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
        const LandmarkModel::Result mirror = m_landmarks.run(pixels, picture.layout, region, true);
        result.modelSeconds += m_landmarks.lastPassSeconds();
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

} // namespace

extern "C" Q_DECL_EXPORT PoseEngine*
vesk_open_pose_engine(const char* detectorFile, const char* landmarkFile, std::string* error)
{
    try {
        return new Engine(detectorFile, landmarkFile);
    } catch (const std::exception& e) {
        *error = std::string("the pose model ") + detectorFile + " or " + landmarkFile +
                 " cannot be read: " + e.what();
    }
    return nullptr;
}
