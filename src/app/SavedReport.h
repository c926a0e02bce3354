#pragma once
// A saved report used again: the road of a new assessment starts from it, or its printed
// worksheet, or its comparison with a later report, is written without any window. Only the text
// report is read, strictly; the scores follow from its drawings, never from the numbers in the
// file.

#include "Assessment.h"

#include <QString>

#include <optional>

namespace savedreport {

// The assessment of the report at `path`. A report that cannot be read is named in one message,
// and nothing is returned: the road starts empty.
std::optional<Assessment> open(const QString& path);

// Writes the printed worksheet of the report at `reportPath` to `pdfPath`. Returns what went
// wrong, empty on success.
QString printToPdf(const QString& reportPath, const QString& pdfPath);

// Writes the printed comparison of the report at `beforePath` with the later one at `afterPath`
// to `pdfPath`. Returns what went wrong, empty on success.
QString compareToPdf(const QString& beforePath, const QString& afterPath, const QString& pdfPath);

} // namespace savedreport
