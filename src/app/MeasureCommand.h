#pragma once
// Measuring the worker's posture on a photo: "vesk --measure PHOTO [--json]" prints the body
// points the pose model finds, the joint angles and the drawings they suggest, without any
// window. The photo goes through the program's one picture loader (its memory budget, EXIF
// orientation, a JPEG decoded straight at a reduced scale), never at full size when it is large.

#include "PoseAngles.h"
#include "PoseDetector.h"
#include "Suggestion.h"

#include <QSize>
#include <QString>

#include <cstdio>
#include <stop_token>
#include <vector>

namespace measurecommand {

struct PhotoMeasurement
{
    QString error;     // the photo could not be read or measured: why, for the person
    QSize pictureSize; // the photo's own size, orientation applied
    QSize decodedSize; // the size it was measured at
    PoseMeasurement pose;
    PoseAngles angles;
    std::vector<RegionSuggestion> suggestions;
};

// The size a photo is decoded at for measuring: halved until its longer side is at most 1600
// pixels, up to an eighth, the scales a JPEG decodes straight at.
QSize measuringSize(QSize pictureSize);

// Reads and measures the photo at `path`; runs off the GUI thread, and stops early when `stop`
// asks. `detector` is loaded by the caller (PoseDetector::load), once for many photos.
PhotoMeasurement measurePhoto(const QString& path, PoseDetector& detector,
                              const std::stop_token& stop = {});

// The command itself: writes to `out`, or the reason it failed to `err`. Returns the exit
// status: 0 a person was measured, 1 no person, or the photo or the model could not be read.
int run(const QString& path, bool json, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace measurecommand
