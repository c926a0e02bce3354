#pragma once
// Reads a saved text report back, strictly: exactly the 128 lines the writer writes, in
// Windows-1252, the captions in their places, "True" or "False" for every drawing option and a
// choice of options a person could have clicked. The first thing that is not so is the answer,
// naming the line and what is wrong; nothing of a report that fails is returned.
//
// The scores in the report are not read back: they follow from the chosen options.

#include "Assessment.h"
#include "ReportLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace report {

struct ReadReport
{
    // The drawings chosen and the employee details as saved (empty where a line was empty).
    std::optional<Assessment> assessment;
    // What is wrong, naming the line; empty when the report was read.
    QString problem;
};

// A report larger than this cannot have come from the writer (128 lines of at most 200
// characters each fit many times over).
inline constexpr qint64 MaxReportBytes = qint64(64) * 1024;
// The longest employee text the database column holds.
inline constexpr int MaxEmployeeText = 200;

// Reads the file at `path`.
ReadReport readReport(const QString& path);
// Reads a report from its bytes.
ReadReport parseReport(const QByteArray& bytes);

} // namespace report
