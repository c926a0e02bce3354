#pragma once
// The half of the pose detector that runs the models, built as a module of its own
// (libvesk_pose_model beside the models) and loaded when the first measurement is asked for:
// OpenCV, which it needs, is large, and a program that never measures never loads it.

#include "PixelView.h"
#include "PoseMeasurement.h"

#include <stop_token>

#include <string>

class PoseEngine
{
public:
    virtual ~PoseEngine() = default;
    virtual PoseMeasurement measure(const PixelView& picture, const std::stop_token& stop) = 0;
};

// What the module exports: the engine over the two model files, or null with `error` set.
extern "C" {
using OpenPoseEngine = PoseEngine* (*)(const char* detectorFile, const char* landmarkFile,
                                       std::string* error);
}
inline constexpr const char* OpenPoseEngineSymbol = "vesk_open_pose_engine";
