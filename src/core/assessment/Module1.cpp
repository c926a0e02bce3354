#include "Module1.h"

#include "OptionTable.h"
#include "Scoring.h"

void Module1::reset()
{
    for (std::int16_t* score : {&TrunkScore,         &NeckScore,
                                &LegsScore,          &UpperRightArmScore,
                                &UpperLeftArmScore,  &LowerRightArmScore,
                                &LowerLeftArmScore,  &LeftWristScore,
                                &RightWristScore,    &LoadForceScore,
                                &CouplingScoreValue, &ActivityScoreValue,
                                &PostureScoreA,      &ScoreA,
                                &LeftPostureScoreB,  &RightPostureScoreB,
                                &LeftScoreB,         &RightScoreB,
                                &LeftScoreC,         &RightScoreC,
                                &LeftVESKScore,      &RightVESKScore,
                                &CautionAccepted,    &ExtraPictureCount})
        *score = 0;
    EmployeeName = EmployeeIdNumber = EmployeeLocation = LastDriveIndex = TaggedValue();
    ReportFields = {};
    SelectedPicturePath.clear();
    SelectedPictureFile.clear();
    PictureAspect = FitWidth = FitHeight = 0;
    ReportBaseName.clear();
    SaveFolder.clear();
}

QString RemoveApostrophes(const TaggedValue& text)
{
    QString result = text.toText();
    for (int round = 0; round < 100; ++round) {
        const qsizetype position = result.indexOf(QLatin1Char('\''));
        if (position < 0)
            break;
        result.remove(position, 1);
    }
    return result;
}

void computeResults()
{
    using M = Module1;
    scoring::PostureInputs in;
    in.trunk = M::TrunkScore;
    in.neck = M::NeckScore;
    in.legs = M::LegsScore;
    in.loadForce = M::LoadForceScore;
    in.upperLeftArm = M::UpperLeftArmScore;
    in.lowerLeftArm = M::LowerLeftArmScore;
    in.leftWrist = M::LeftWristScore;
    in.upperRightArm = M::UpperRightArmScore;
    in.lowerRightArm = M::LowerRightArmScore;
    in.rightWrist = M::RightWristScore;
    in.coupling = M::CouplingScoreValue;
    in.activity = M::ActivityScoreValue;

    scoring::ComputedScores previous{M::PostureScoreA,      M::ScoreA,      M::LeftPostureScoreB,
                                     M::RightPostureScoreB, M::LeftScoreB,  M::RightScoreB,
                                     M::LeftScoreC,         M::RightScoreC, M::LeftVESKScore,
                                     M::RightVESKScore};
    const scoring::ComputedScores out = scoring::computeScores(in, previous);
    M::PostureScoreA = out.postureScoreA;
    M::ScoreA = out.scoreA;
    M::LeftPostureScoreB = out.leftPostureScoreB;
    M::RightPostureScoreB = out.rightPostureScoreB;
    M::LeftScoreB = out.leftScoreB;
    M::RightScoreB = out.rightScoreB;
    M::LeftScoreC = out.leftScoreC;
    M::RightScoreC = out.rightScoreC;
    M::LeftVESKScore = out.leftVESKScore;
    M::RightVESKScore = out.rightVESKScore;
}

const std::array<ResultPublication, 22> ResultPublications{{
    {"Label5", &Module1::TrunkScore, 21},          {"Label6", &Module1::NeckScore, 23},
    {"Label7", &Module1::LegsScore, 25},           {"Label8", &Module1::UpperLeftArmScore, 5},
    {"Label9", &Module1::UpperRightArmScore, 15},  {"Label12", &Module1::LowerLeftArmScore, 7},
    {"Label13", &Module1::LowerRightArmScore, 17}, {"Label10", &Module1::LeftWristScore, 9},
    {"Label11", &Module1::RightWristScore, 19},    {"Label14", &Module1::PostureScoreA, -1},
    {"Label15", &Module1::LoadForceScore, 27},     {"Label16", &Module1::LeftPostureScoreB, -1},
    {"Label18", &Module1::CouplingScoreValue, 29}, {"Label19", &Module1::ScoreA, -1},
    {"Label20", &Module1::LeftScoreB, -1},         {"Label21", &Module1::RightScoreB, -1},
    {"Label22", &Module1::LeftScoreC, -1},         {"Label23", &Module1::RightScoreC, -1},
    {"Label24", &Module1::ActivityScoreValue, 31}, {"Label25", &Module1::LeftVESKScore, -1},
    {"Label26", &Module1::RightVESKScore, -1},     {"Label17", &Module1::RightPostureScoreB, -1},
}};

void publishInputScores()
{
    for (const ResultPublication& row : ResultPublications) {
        if (row.reportEntry >= 0)
            Module1::ReportFields[row.reportEntry] = TaggedValue(*row.value);
    }
}

void publishRiskLevels(const QString& leftWord, const QString& rightWord)
{
    Module1::ReportFields[report::LeftRiskLevel] = TaggedValue(leftWord);
    Module1::ReportFields[report::RightRiskLevel] = TaggedValue(rightWord);
    Module1::ReportFields[report::LeftFinalScore] = TaggedValue(Module1::LeftVESKScore);
    Module1::ReportFields[report::RightFinalScore] = TaggedValue(Module1::RightVESKScore);
}

void storeEmployeeDetails(const QString& name, const QString& idNumber, const QString& location)
{
    Module1::EmployeeName = TaggedValue(name);
    Module1::EmployeeName = TaggedValue(RemoveApostrophes(Module1::EmployeeName));
    Module1::ReportFields[report::EmployeeName] = Module1::EmployeeName;
    Module1::EmployeeIdNumber = TaggedValue(idNumber);
    Module1::EmployeeIdNumber = TaggedValue(RemoveApostrophes(Module1::EmployeeIdNumber));
    Module1::ReportFields[report::EmployeeIdNumber] = Module1::EmployeeIdNumber;
    Module1::EmployeeLocation = TaggedValue(location);
    Module1::EmployeeLocation = TaggedValue(RemoveApostrophes(Module1::EmployeeLocation));
    Module1::ReportFields[report::EmployeeLocation] = Module1::EmployeeLocation;
}

void completeReport(const std::array<bool, report::OptionCount>& optionChosen)
{
    auto& fields = Module1::ReportFields;
    for (int k = 0; k < report::ResultCount; ++k)
        fields[2 * std::size_t(k)] = TaggedValue(QString::fromUtf8(report::ResultCaptions[k]));
    for (int k = 0; k < report::OptionCount; ++k) {
        fields[report::FirstOptionEntry + 2 * k] =
            TaggedValue(QString::fromUtf8(Options[k].caption));
        fields[report::FirstOptionEntry + 2 * k + 1] =
            TaggedValue(optionChosen[k] ? QStringLiteral("True") : QStringLiteral("False"));
    }
    for (int k = 0; k < 3; ++k) {
        fields[report::FirstEmployeeEntry + 2 * k] =
            TaggedValue(QString::fromUtf8(report::EmployeeCaptions[k]));
    }
}
