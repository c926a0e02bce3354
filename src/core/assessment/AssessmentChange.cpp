#include "AssessmentChange.h"

#include "RiskLevel.h"

namespace {

QString scoreAndWord(std::int16_t score)
{
    const std::string_view word = scoring::riskLevelWord(score).value_or("");
    return QString::number(score) + QLatin1Char(' ') + QString::fromUtf8(word);
}

} // namespace

AssessmentChange compareAssessments(const Assessment& before, const Assessment& now)
{
    AssessmentChange change{before.scores(), now.scores(), {}, {}};
    for (int option = 0; option < OptionCount; ++option) {
        if (now.isChosen(option) && !before.isChosen(option))
            change.chosen.push_back(option);
        else if (before.isChosen(option) && !now.isChosen(option))
            change.givenUp.push_back(option);
    }
    return change;
}

QString finalScoreChange(std::int16_t before, std::int16_t now)
{
    return QStringLiteral("before: %1, now: %2").arg(scoreAndWord(before), scoreAndWord(now));
}
