#pragma once
// All saved reports in one table ("vesk --csv <report>..."): one row for each report, to read
// into a spreadsheet. CSV as RFC 4180 has it: UTF-8, a header row, fields separated by commas,
// quoted where they hold a comma, a quote or a line end, rows ending in CR LF.
//
// Each row holds the file's name and when it was last written, who was assessed, the twelve input
// scores, the group scores, both final scores and risk level words, and by region the words of the
// chosen drawings. Each report is read strictly, and its scores follow from its drawings.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace reporttable {

// The table of the reports at `paths`, in the order given. A report that cannot be read is left
// out and named in `problems`, one line each with the line of the report that is wrong.
QByteArray csv(const QStringList& paths, QStringList* problems);

} // namespace reporttable
