#include "PersonDetector.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int InputSize = 224;
constexpr int ValuesPerAnchor = 12; // box centre, size, then four keypoints (x, y)
constexpr float MinScore = 0.5f;
constexpr float SameOverlap = 0.3f;

float sigmoid(float x)
{
    return 1 / (1 + std::exp(-std::clamp(x, -100.0f, 100.0f)));
}

struct Candidate
{
    float score;
    float x0, y0, x1, y1;         // box, 0 to 1 of the model's input
    float hipX, hipY, topX, topY; // alignment keypoints 0 (hips) and 1 (above the head)
};

float overlap(const Candidate& a, const Candidate& b)
{
    const float w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
    const float h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
    if (w <= 0 || h <= 0)
        return 0;
    const float shared = w * h;
    return shared / ((a.x1 - a.x0) * (a.y1 - a.y0) + (b.x1 - b.x0) * (b.y1 - b.y0) - shared);
}

} // namespace

PersonDetector::PersonDetector(const std::string& onnxFile)
    : m_net(cv::dnn::readNetFromONNX(onnxFile))
{
    // The detector's anchors: two a cell on grids of stride 8 and 16, six on the grid of
    // stride 32 (three layers share it), each a unit square at the cell's centre.
    for (const auto& [stride, perCell] : {std::pair{8, 2}, std::pair{16, 2}, std::pair{32, 6}}) {
        const int cells = InputSize / stride;
        for (int y = 0; y < cells; ++y) {
            for (int x = 0; x < cells; ++x) {
                for (int k = 0; k < perCell; ++k)
                    m_anchors.push_back(
                        {(float(x) + 0.5f) / float(cells), (float(y) + 0.5f) / float(cells)});
            }
        }
    }
}

std::optional<PersonDetector::Found> PersonDetector::find(const cv::Mat& picture,
                                                          PixelView::Layout layout)
{
    // The whole picture, letterboxed into the square input with its proportions kept.
    const float scale =
        std::min(float(InputSize) / float(picture.cols), float(InputSize) / float(picture.rows));
    const int width = std::clamp(int(std::lround(float(picture.cols) * scale)), 1, InputSize);
    const int height = std::clamp(int(std::lround(float(picture.rows) * scale)), 1, InputSize);
    const int left = (InputSize - width) / 2, top = (InputSize - height) / 2;
    cv::Mat canvas(InputSize, InputSize, picture.type(), cv::Scalar::all(0));
    cv::resize(picture, canvas(cv::Rect(left, top, width, height)), cv::Size(width, height), 0, 0,
               cv::INTER_AREA);
    cv::Mat rgb;
    if (layout == PixelView::Layout::Bgrx)
        cv::cvtColor(canvas, rgb, cv::COLOR_BGRA2RGB);
    else
        rgb = canvas;
    // Values from -1 to 1; the letterbox bars are black.
    m_net.setInput(cv::dnn::blobFromImage(rgb, 1 / 127.5, {}, cv::Scalar::all(127.5)));
    std::vector<cv::Mat> outputs;
    const auto start = std::chrono::steady_clock::now();
    m_net.forward(outputs, std::vector<cv::String>{"Identity", "Identity_1"});
    m_passSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto* boxes = outputs[0].ptr<float>();
    const auto* scores = outputs[1].ptr<float>();
    if (outputs[0].total() != m_anchors.size() * ValuesPerAnchor ||
        outputs[1].total() != m_anchors.size())
        throw cv::Exception(cv::Error::StsUnmatchedSizes, "unexpected detector outputs", __func__,
                            __FILE__, __LINE__);

    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < m_anchors.size(); ++i) {
        const float score = sigmoid(scores[i]);
        if (score < MinScore)
            continue;
        const float* v = boxes + i * ValuesPerAnchor;
        const Anchor a = m_anchors[i];
        const float cx = v[0] / InputSize + a.x, cy = v[1] / InputSize + a.y;
        const float w = v[2] / InputSize, h = v[3] / InputSize;
        candidates.push_back({score, cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2,
                              v[4] / InputSize + a.x, v[5] / InputSize + a.y,
                              v[6] / InputSize + a.x, v[7] / InputSize + a.y});
    }
    if (candidates.empty())
        return std::nullopt;

    // The best detection, averaged with those that overlap it by their scores.
    const Candidate best =
        *std::max_element(candidates.begin(), candidates.end(),
                          [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
    float total = 0, hipX = 0, hipY = 0, topX = 0, topY = 0;
    for (const Candidate& c : candidates) {
        if (overlap(c, best) <= SameOverlap)
            continue;
        total += c.score;
        hipX += c.hipX * c.score;
        hipY += c.hipY * c.score;
        topX += c.topX * c.score;
        topY += c.topY * c.score;
    }
    // From the letterboxed input back to the picture's pixels.
    const auto toX = [&](float u) { return (u * InputSize - float(left)) / scale; };
    const auto toY = [&](float v) { return (v * InputSize - float(top)) / scale; };
    return Found{RegionOfInterest::aligned(toX(hipX / total), toY(hipY / total), toX(topX / total),
                                           toY(topY / total), 1.25f),
                 best.score};
}
