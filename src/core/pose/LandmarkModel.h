#pragma once
// The pose model's landmark network: looks at one square region of the picture, turned so the
// body stands upright in it, and gives the 33 keypoints, their visibility, whether a person is
// there at all, and the region to look at next. Part of PoseDetector.

#include "Keypoints.h"
#include "PixelView.h"
#include "RegionOfInterest.h"

#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>

#include <string>

class LandmarkModel
{
public:
    // Throws cv::Exception when the model cannot be read.
    explicit LandmarkModel(const std::string& onnxFile);

    struct Result
    {
        Keypoints keypoints;   // in the pixels of the picture given
        float presence = 0;    // 0 to 1: a person is in the region
        RegionOfInterest next; // the region the keypoints say the body fills
    };
    // `mirrored` looks at the region flipped left to right, and gives the points back as they
    // are in the picture, the body's sides swapped back.
    Result run(const cv::Mat& picture, PixelView::Layout layout, const RegionOfInterest& region,
               bool mirrored = false);

    double lastPassSeconds() const { return m_passSeconds; }

private:
    cv::dnn::Net m_net;
    double m_passSeconds = 0;
};
