#include "ReportTable.h"

#include "ReportReader.h"
#include "RiskLevel.h"

#include <QDateTime>
#include <QFileInfo>

#include <array>
#include <cstdint>

namespace reporttable {
namespace {

struct ScoreColumn
{
    const char* header;
    std::int16_t Scores::*score;
};

// The input scores under the report's own captions, then the group and final scores.
// clang-format off
constexpr std::array<ScoreColumn, 22> ScoreColumns{{
    {"Trunk", &Scores::TrunkScore},
    {"Neck", &Scores::NeckScore},
    {"Legs", &Scores::LegsScore},
    {"Upper Arm - Left", &Scores::UpperLeftArmScore},
    {"Upper Arm - Right", &Scores::UpperRightArmScore},
    {"Lower Arm - Left", &Scores::LowerLeftArmScore},
    {"Lower Arm - Right", &Scores::LowerRightArmScore},
    {"Wrist - Left", &Scores::LeftWristScore},
    {"Wrist - Right", &Scores::RightWristScore},
    {"Load / Force", &Scores::LoadForceScore},
    {"Coupling", &Scores::CouplingScoreValue},
    {"Activity", &Scores::ActivityScoreValue},
    {"Posture Score A", &Scores::PostureScoreA},
    {"Score A", &Scores::ScoreA},
    {"Posture Score B - Left", &Scores::LeftPostureScoreB},
    {"Posture Score B - Right", &Scores::RightPostureScoreB},
    {"Score B - Left", &Scores::LeftScoreB},
    {"Score B - Right", &Scores::RightScoreB},
    {"Score C - Left", &Scores::LeftScoreC},
    {"Score C - Right", &Scores::RightScoreC},
    {"VESK Score - Left Hand Side", &Scores::LeftVESKScore},
    {"VESK Score - Right Hand Side", &Scores::RightVESKScore},
}};
// clang-format on

QString riskWord(std::int16_t score)
{
    return QString::fromUtf8(scoring::riskLevelWord(score).value_or(""));
}

// A field as RFC 4180 writes it: in quotes, quotes doubled, when it holds a comma, a quote or a
// line end.
QString field(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Text someone typed: a spreadsheet takes a cell that starts with "=", "+", "-" or "@" for a
// formula, so such a text is written after an apostrophe (which a saved text never holds).
QString typed(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}

QByteArray row(const QStringList& fields)
{
    QStringList written;
    for (const QString& text : fields)
        written << field(text);
    return written.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QStringList header()
{
    QStringList fields{QStringLiteral("File"), QStringLiteral("Saved on"),
                       QStringLiteral("Employee Name"), QStringLiteral("Employee ID"),
                       QStringLiteral("Employee Location")};
    for (const ScoreColumn& column : ScoreColumns)
        fields << QString::fromLatin1(column.header);
    fields << QStringLiteral("Risk Level - Left Hand Side")
           << QStringLiteral("Risk Level - Right Hand Side");
    for (std::string_view region : RegionNames)
        fields << QStringLiteral("Drawings - ") + QString::fromUtf8(region);
    return fields;
}

QStringList fieldsOf(const QFileInfo& file, const Assessment& assessment)
{
    const QDateTime saved = file.lastModified();
    QStringList fields{file.fileName(),
                       saved.toOffsetFromUtc(saved.offsetFromUtc()).toString(Qt::ISODate),
                       typed(assessment.EmployeeName()), typed(assessment.EmployeeIdNumber()),
                       typed(assessment.EmployeeLocation())};
    const Scores scores = assessment.scores();
    for (const ScoreColumn& column : ScoreColumns)
        fields << QString::number(scores.*column.score);
    fields << riskWord(scores.LeftVESKScore) << riskWord(scores.RightVESKScore);
    std::array<QStringList, RegionCount> drawings;
    for (std::size_t option = 0; option < Options.size(); ++option) {
        if (assessment.isChosen(int(option)))
            drawings[std::size_t(Options[option].region)]
                << QString::fromStdString(drawingWords(Options[option]));
    }
    for (const QStringList& words : drawings)
        fields << words.join(QStringLiteral("; "));
    return fields;
}

} // namespace

QByteArray csv(const QStringList& paths, QStringList* problems)
{
    QByteArray table = row(header());
    for (const QString& path : paths) {
        const report::ReadReport read = report::readReport(path);
        if (!read.assessment) {
            *problems << QStringLiteral("%1: %2").arg(path, read.problem);
            continue;
        }
        table += row(fieldsOf(QFileInfo(path), *read.assessment));
    }
    return table;
}

} // namespace reporttable
