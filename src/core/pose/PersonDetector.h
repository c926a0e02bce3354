#pragma once
// The pose model's person detector: finds the most likely person in the whole picture and the
// square region around their body where the landmark model is to look. Part of PoseDetector.

#include "PixelView.h"
#include "RegionOfInterest.h"

#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>

#include <optional>
#include <string>
#include <vector>

class PersonDetector
{
public:
    // Throws cv::Exception when the model cannot be read.
    explicit PersonDetector(const std::string& onnxFile);

    struct Found
    {
        RegionOfInterest region;
        float score = 0;
    };
    // `picture` is 8-bit RGB or BGRX as `layout` says.
    std::optional<Found> find(const cv::Mat& picture, PixelView::Layout layout);

    double lastPassSeconds() const { return m_passSeconds; }

private:
    struct Anchor
    {
        float x, y;
    };
    cv::dnn::Net m_net;
    std::vector<Anchor> m_anchors;
    double m_passSeconds = 0;
};
