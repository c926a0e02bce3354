#pragma once
// Finds the worker's body points on a picture with the pose model (BlazePose, converted to
// ONNX at build time, run with OpenCV's dnn module), on this machine only. The person detector
// finds the body in the whole picture; the landmark model then looks at the square around it,
// and once more at the square its own first answer gives, straight and in a mirror; the mean
// of those two is kept.
//
// Loading takes a moment, so nothing is loaded until a measurement is asked for. A detector
// serves one measurement at a time; run it off the GUI thread and stop it through the token.

#include "PixelView.h"
#include "PoseMeasurement.h"

#include <memory>
#include <stop_token>
#include <string>

class PoseDetector
{
public:
    ~PoseDetector();
    PoseDetector(const PoseDetector&) = delete;
    PoseDetector& operator=(const PoseDetector&) = delete;

    // The two models (DetectorFile, LandmarkFile) in `folder`; null with `error` set when they
    // cannot be read.
    static std::unique_ptr<PoseDetector> load(const std::string& folder, std::string& error);

    // The folder beside the program where the models are installed ("pose"), or where the
    // environment variable VESK_POSE_MODELS points.
    static std::string defaultFolder();

    PoseMeasurement measure(const PixelView& picture, const std::stop_token& stop = {});

    static constexpr const char* DetectorFile = "pose_detector.onnx";
    static constexpr const char* LandmarkFile = "pose_landmark_full.onnx";

private:
    struct Models;
    explicit PoseDetector(std::unique_ptr<Models> models);
    std::unique_ptr<Models> m_models;
};
