#include "ReportFields.h"

#include "RiskLevel.h"

#include <utility>

namespace report {
namespace {

// The value entries that hold a score, with the score they hold.
constexpr std::pair<int, std::int16_t Scores::*> ScoreEntries[] = {
    {LeftFinalScore, &Scores::LeftVESKScore},
    {5, &Scores::UpperLeftArmScore},
    {7, &Scores::LowerLeftArmScore},
    {9, &Scores::LeftWristScore},
    {RightFinalScore, &Scores::RightVESKScore},
    {15, &Scores::UpperRightArmScore},
    {17, &Scores::LowerRightArmScore},
    {19, &Scores::RightWristScore},
    {21, &Scores::TrunkScore},
    {23, &Scores::NeckScore},
    {25, &Scores::LegsScore},
    {27, &Scores::LoadForceScore},
    {29, &Scores::CouplingScoreValue},
    {31, &Scores::ActivityScoreValue},
};

TaggedValue text(std::string_view utf8)
{
    return TaggedValue(QString::fromUtf8(utf8));
}

} // namespace

ReportTable ReportFields(const Assessment& assessment)
{
    ReportTable fields;
    for (int k = 0; k < ResultCount; ++k)
        fields[2 * std::size_t(k)] = text(ResultCaptions[std::size_t(k)]);
    const Scores scores = assessment.scores();
    for (const auto& [entry, score] : ScoreEntries)
        fields[std::size_t(entry)] = TaggedValue(scores.*score);
    fields[LeftRiskLevel] = text(scoring::riskLevelWord(scores.LeftVESKScore).value_or(""));
    fields[RightRiskLevel] = text(scoring::riskLevelWord(scores.RightVESKScore).value_or(""));

    for (int k = 0; k < OptionCount; ++k) {
        const std::size_t entry = std::size_t(FirstOptionEntry) + 2 * std::size_t(k);
        fields[entry] = text(Options[std::size_t(k)].caption);
        fields[entry + 1] = text(assessment.isChosen(k) ? "True" : "False");
    }

    for (int k = 0; k < 3; ++k)
        fields[std::size_t(FirstEmployeeEntry) + 2 * std::size_t(k)] =
            text(EmployeeCaptions[std::size_t(k)]);
    if (const auto& employee = assessment.employee()) {
        fields[EmployeeName] = TaggedValue(employee->name);
        fields[EmployeeIdNumber] = TaggedValue(employee->idNumber);
        fields[EmployeeLocation] = TaggedValue(employee->location);
    }
    return fields;
}

} // namespace report
