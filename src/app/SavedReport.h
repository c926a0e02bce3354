#pragma once
// A saved report used again: the road of a new assessment starts from it, or its printed
// worksheet is written without any window. Only the text report is read, strictly; the scores
// follow from its drawings, never from the numbers in the file.

#include "ReportReader.h"

#include <QString>

namespace savedreport {

// The report's options as the option table gives them, and the risk level words.
const report::ReportShape& shape();

// Fills in the employee details and chooses every drawing of the report on the posture
// selection window. A report that cannot be read is named in one message and nothing is filled
// in: the road starts empty.
void open(const QString& path);

// Writes the printed worksheet of the report at `reportPath` to `pdfPath`. Returns what went
// wrong, empty on success.
QString printToPdf(const QString& reportPath, const QString& pdfPath);

} // namespace savedreport
