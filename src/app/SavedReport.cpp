#include "SavedReport.h"

#include "EmployeeDetails.h"
#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "OptionTable.h"
#include "Platform.h"
#include "RiskLevel.h"
#include "WorksheetPage.h"

#include <QFileInfo>

namespace savedreport {
namespace {

report::OptionRule ruleOf(OptionKind kind)
{
    switch (kind) {
    case OptionKind::Base:
        return report::OptionRule::OneBase;
    case OptionKind::Knee:
        return report::OptionRule::OneKnee;
    case OptionKind::Adjustment:
    case OptionKind::Toggle:
        break;
    }
    return report::OptionRule::Free;
}

report::ReportShape makeShape()
{
    report::ReportShape made{};
    for (std::size_t k = 0; k < Options.size(); ++k)
        made.options[k] = {Options[k].caption, int(Options[k].region), ruleOf(Options[k].kind)};
    std::size_t words = 0;
    for (std::int16_t score = 1; score <= 15 && words < made.riskWords.size(); ++score) {
        const std::string_view word = scoring::riskLevelWord(score).value_or("");
        if (words == 0 || made.riskWords[words - 1] != word)
            made.riskWords[words++] = word;
    }
    return made;
}

QString cannotOpen(const QString& path, const QString& problem)
{
    return QStringLiteral("The saved assessment \"%1\" cannot be opened.\n\n%2")
        .arg(QFileInfo(path).fileName(), problem);
}

// The input scores that clicking these options gives: each region's score is the value of its
// chosen base option plus the values of its chosen adjustments.
void setInputScores(const std::array<bool, report::OptionCount>& chosen)
{
    using M = Module1;
    // In the order of Region.
    const std::array<std::int16_t*, RegionCount> scores{
        &M::TrunkScore,         &M::NeckScore,          &M::LegsScore,
        &M::UpperRightArmScore, &M::UpperLeftArmScore,  &M::LowerRightArmScore,
        &M::LowerLeftArmScore,  &M::RightWristScore,    &M::LeftWristScore,
        &M::LoadForceScore,     &M::CouplingScoreValue, &M::ActivityScoreValue};
    for (std::int16_t* score : scores)
        *score = 0;
    for (std::size_t k = 0; k < Options.size(); ++k) {
        std::int16_t& score = *scores[std::size_t(Options[k].region)];
        if (chosen[k])
            score = static_cast<std::int16_t>(score + Options[k].value);
    }
}

} // namespace

const report::ReportShape& shape()
{
    static const report::ReportShape made = makeShape();
    return made;
}

void open(const QString& path)
{
    const report::ReadReport read = report::readReport(path, shape());
    if (!read.assessment) {
        platform::messageBox(cannotOpen(path, read.problem));
        return;
    }
    const report::SavedAssessment& saved = *read.assessment;
    Forms::get<EmployeeDetails>().fillIn(saved.name, saved.idNumber, saved.location);
    Forms::get<Main2>().chooseOptions(saved.chosen);
}

QString printToPdf(const QString& reportPath, const QString& pdfPath)
{
    const report::ReadReport read = report::readReport(reportPath, shape());
    if (!read.assessment)
        return cannotOpen(reportPath, read.problem);
    const report::SavedAssessment& saved = *read.assessment;
    setInputScores(saved.chosen);
    computeResults();
    WorksheetContent content = worksheetpage::fromAssessment(saved.chosen, {});
    content.name = saved.name;
    content.idNumber = saved.idNumber;
    content.location = saved.location;
    return worksheetpage::writePdf(pdfPath, content);
}

} // namespace savedreport
