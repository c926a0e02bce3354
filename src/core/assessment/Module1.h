#pragma once
// Module1: the one assessment of this program run. Every window reads and writes the same
// variables under these names; nothing owns them and nothing resets them during a run (one run
// is one assessment). Scores are 16-bit signed like the scores they hold on the worksheet.

#include "ReportLayout.h"
#include "TaggedValue.h"

#include <QString>

#include <array>
#include <cstdint>

struct Module1
{
    // Posture input scores, written by the drawing clicks of the posture selection window.
    static inline std::int16_t TrunkScore = 0;
    static inline std::int16_t NeckScore = 0;
    static inline std::int16_t LegsScore = 0;
    static inline std::int16_t UpperRightArmScore = 0;
    static inline std::int16_t UpperLeftArmScore = 0;
    static inline std::int16_t LowerRightArmScore = 0;
    static inline std::int16_t LowerLeftArmScore = 0;
    static inline std::int16_t LeftWristScore = 0;
    static inline std::int16_t RightWristScore = 0;
    static inline std::int16_t LoadForceScore = 0;
    static inline std::int16_t CouplingScoreValue = 0;
    static inline std::int16_t ActivityScoreValue = 0;

    // Computed scores, written by View Results.
    static inline std::int16_t PostureScoreA = 0;
    static inline std::int16_t ScoreA = 0;
    static inline std::int16_t LeftPostureScoreB = 0;
    static inline std::int16_t RightPostureScoreB = 0;
    static inline std::int16_t LeftScoreB = 0;
    static inline std::int16_t RightScoreB = 0;
    static inline std::int16_t LeftScoreC = 0;
    static inline std::int16_t RightScoreC = 0;
    static inline std::int16_t LeftVESKScore = 0;
    static inline std::int16_t RightVESKScore = 0;

    // Employee details as confirmed, apostrophes removed.
    static inline TaggedValue EmployeeName;
    static inline TaggedValue EmployeeIdNumber;
    static inline TaggedValue EmployeeLocation;

    // 0 until the caution statement has been accepted once, then 1.
    static inline std::int16_t CautionAccepted = 0;

    static inline report::ReportTable ReportFields;

    // Pictures.
    static inline QString SelectedPicturePath;
    static inline QString SelectedPictureFile;
    static inline TaggedValue LastDriveIndex;
    static inline float PictureAspect = 0;
    static inline float FitWidth = 0;
    static inline float FitHeight = 0;
    static inline std::int16_t ExtraPictureCount = 0;

    // Saving.
    static inline QString ReportBaseName;
    static inline QString SaveFolder;

    // Puts every variable back to its start value. A program run never needs it; tests that walk
    // several assessments in one process do.
    static void reset();
};

// Returns the text with its apostrophes (character 39) removed, at most the first 100 of them;
// every other character stays, in order.
QString RemoveApostrophes(const TaggedValue& text);

// Runs the score computation on the input scores and stores the ten computed scores.
void computeResults();

// One value shown on the results worksheet: the label it goes into and, for the input scores,
// the report entry it is copied to (-1 where it has none). Listed in publication order.
struct ResultPublication
{
    const char* label;
    std::int16_t* value;
    int reportEntry;
};
extern const std::array<ResultPublication, 22> ResultPublications;

// Copies the input scores into report entries 5 to 31.
void publishInputScores();

// Copies the risk level words (as the risk level window shows them) into entries 3 and 13, then
// the final scores into entries 1 and 11.
void publishRiskLevels(const QString& leftWord, const QString& rightWord);

// Stores the employee texts, apostrophes removed, in the state and in entries 123, 125, 127.
void storeEmployeeDetails(const QString& name, const QString& idNumber, const QString& location);

// Writes every caption of the report table and, for each of the 45 options in table order,
// "True" or "False" after it.
void completeReport(const std::array<bool, report::OptionCount>& optionChosen);
