#pragma once
// The 128-line text report: line n holds report entry n-1. A text is written between double
// quotes (a double quote inside it is not escaped), an integer as its decimal digits, an empty
// entry as an empty line. Lines end in CR LF; characters are encoded in Windows-1252.

#include "ReportLayout.h"

#include <string>

std::string textReport(const report::ReportTable& fields);
