#pragma once
// What changed between an earlier assessment of a task and a later one: both sets of scores, and
// the drawings chosen or given up. The road shows it when it starts from a saved report, the
// printed page and the comparison of two saved reports print it.

#include "Assessment.h"

#include <QString>

#include <cstdint>
#include <vector>

struct AssessmentChange
{
    Scores before;
    Scores now;
    // Indexes into Options, in table order (so by region in the order of the tabs).
    std::vector<int> chosen;  // chosen now and not before
    std::vector<int> givenUp; // chosen before and not now
};

AssessmentChange compareAssessments(const Assessment& before, const Assessment& now);

// A side's final score and risk level word before and now: "before: 11 Very High, now: 7 Medium".
QString finalScoreChange(std::int16_t before, std::int16_t now);
