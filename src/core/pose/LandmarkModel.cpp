#include "LandmarkModel.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int InputSize = 256;
constexpr std::size_t PointCount = 39; // the body's 33, then the next region's centre and its top
constexpr std::size_t ValuesPerPoint = 5; // x, y, z in input pixels, visibility and presence logits

float sigmoid(float x)
{
    return 1 / (1 + std::exp(-std::clamp(x, -100.0f, 100.0f)));
}

// The point of the other side of the body: the eyes, ears and mouth corners (1 to 10) and the
// limbs (11 to 32) come in left and right pairs; the nose has none.
int mirrorOf(int point)
{
    if (point == 0)
        return 0;
    if (point <= 6) // left eye inner, centre, outer; then the right eye's
        return point <= 3 ? point + 3 : point - 3;
    return point % 2 == 1 ? point + 1 : point - 1;
}

} // namespace

LandmarkModel::LandmarkModel(const std::string& onnxFile)
    : m_net(cv::dnn::readNetFromONNX(onnxFile))
{
}

LandmarkModel::Result LandmarkModel::run(const cv::Mat& picture, PixelView::Layout layout,
                                         const RegionOfInterest& region, bool mirrored)
{
    // Sampling a large region straight down to the input size would alias; a region more than
    // twice the input is first shrunk by averaging, only the part of the picture it covers.
    cv::Mat source = picture;
    float shrink = 1;
    float originX = 0, originY = 0;
    const float reach = region.size * 0.75f; // beyond half the diagonal of the turned square
    const cv::Rect covered =
        cv::Rect(int(std::floor(region.centreX - reach)), int(std::floor(region.centreY - reach)),
                 int(std::ceil(2 * reach)) + 1, int(std::ceil(2 * reach)) + 1) &
        cv::Rect(0, 0, picture.cols, picture.rows);
    if (region.size > 2 * InputSize && !covered.empty()) {
        shrink = region.size / (1.5f * InputSize);
        cv::resize(picture(covered), source,
                   cv::Size(std::max(1, int(float(covered.width) / shrink)),
                            std::max(1, int(float(covered.height) / shrink))),
                   0, 0, cv::INTER_AREA);
        shrink = float(covered.width) / float(source.cols);
        originX = float(covered.x);
        originY = float(covered.y);
    }

    // The map from the model's input to the (shrunk) picture.
    const float c = std::cos(region.rotation), s = std::sin(region.rotation);
    const float k = region.size / InputSize / shrink;
    const float cx = (region.centreX - originX) / shrink, cy = (region.centreY - originY) / shrink;
    const cv::Matx23f toSource(k * c, -k * s, cx - k * (c - s) * InputSize / 2, k * s, k * c,
                               cy - k * (s + c) * InputSize / 2);
    cv::Mat crop;
    cv::warpAffine(source, crop, toSource, cv::Size(InputSize, InputSize),
                   cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT,
                   cv::Scalar::all(0));
    if (layout == PixelView::Layout::Bgrx)
        cv::cvtColor(crop, crop, cv::COLOR_BGRA2RGB);
    if (mirrored)
        cv::flip(crop, crop, 1);
    m_net.setInput(cv::dnn::blobFromImage(crop, 1 / 255.0));
    std::vector<cv::Mat> outputs;
    const auto start = std::chrono::steady_clock::now();
    m_net.forward(outputs, std::vector<cv::String>{"Identity", "Identity_1"});
    m_passSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (outputs[0].total() != PointCount * ValuesPerPoint || outputs[1].total() != 1)
        throw cv::Exception(cv::Error::StsUnmatchedSizes, "unexpected landmark outputs", __func__,
                            __FILE__, __LINE__);

    const float* values = outputs[0].ptr<float>();
    Result result;
    result.presence = outputs[1].ptr<float>()[0];
    std::array<cv::Point2f, PointCount> points;
    for (std::size_t i = 0; i < PointCount; ++i) {
        const float* v = values + i * ValuesPerPoint;
        const float x = mirrored ? InputSize - v[0] : v[0];
        cv::Point2f& p = points[i];
        region.toPicture(x / InputSize, v[1] / InputSize, p.x, p.y);
        // In a mirror the body's left side is where its right would be.
        if (i < std::size_t(LandmarkCount))
            result.keypoints[mirrored ? std::size_t(mirrorOf(int(i))) : i] = {
                p.x, p.y, v[2] * region.size / InputSize, sigmoid(v[3])};
    }
    result.next =
        RegionOfInterest::aligned(points[33].x, points[33].y, points[34].x, points[34].y, 1.25f);
    return result;
}
