#pragma once
// Reads a saved text report back, strictly: exactly the 128 lines the writer writes, in
// Windows-1252, the captions in their places, "True" or "False" for every drawing option and a
// choice of options a person could have clicked. The first thing that is not so is the answer,
// naming the line and what is wrong; nothing of a report that fails is returned.
//
// The scores in the report are not read back: they follow from the chosen options. The reader
// knows the options and the risk level words only through the shape its caller gives, so the
// report layout depends neither on the option table nor on the scoring.

#include "ReportLayout.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace report {

// How an option combines with the other options of its body region.
enum class OptionRule : std::uint8_t
{
    OneBase, // exactly one of the region's base options is chosen in a saved report
    OneKnee, // at most one of the two knee options
    Free,    // an adjustment or activity, chosen or not
};

struct ReportedOption
{
    std::string_view caption;
    int region; // options of one body region share this number
    OptionRule rule;
};
using ReportedOptions = std::array<ReportedOption, OptionCount>;

// What the report's lines may hold besides its captions: the drawing options in report order and
// the risk level words.
struct ReportShape
{
    ReportedOptions options;
    std::array<std::string_view, 5> riskWords;
};

struct SavedAssessment
{
    std::array<bool, OptionCount> chosen{};
    // As saved: apostrophes already removed; empty where the line was empty.
    QString name;
    QString idNumber;
    QString location;
};

struct ReadReport
{
    std::optional<SavedAssessment> assessment;
    // What is wrong, naming the line; empty when the report was read.
    QString problem;
};

// A report larger than this cannot have come from the writer (128 lines of at most 200
// characters each fit many times over).
inline constexpr qint64 MaxReportBytes = qint64(64) * 1024;
// The longest employee text the database column holds.
inline constexpr int MaxEmployeeText = 200;

// Reads the file at `path`.
ReadReport readReport(const QString& path, const ReportShape& shape);
// Reads a report from its bytes.
ReadReport parseReport(const QByteArray& bytes, const ReportShape& shape);

} // namespace report
