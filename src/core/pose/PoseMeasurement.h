#pragma once
// What a measurement of a picture gives: the person's body points, or why there are none.

#include "Keypoints.h"

#include <cstdint>
#include <string>

struct PoseMeasurement
{
    enum class Outcome : std::uint8_t
    {
        Person,   // `keypoints` hold the person's points
        NoPerson, // the picture shows nobody the model can find
        Stopped,  // the stop token asked for it
        Failed,   // `error` says why
    };
    Outcome outcome = Outcome::Failed;
    Keypoints keypoints;      // in the picture's pixels
    float presence = 0;       // the landmark model's belief that a person is there, 0 to 1
    float detectionScore = 0; // the person detector's, 0 to 1
    std::string error;

    // Seconds spent in the models' passes alone: detector, then both landmark passes.
    double modelSeconds = 0;
};
