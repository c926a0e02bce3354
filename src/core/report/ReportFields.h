#pragma once
// The report table of an assessment: what a save writes, a print shows and a reopening reads
// back. Made from the assessment when it is needed, never kept beside it.

#include "Assessment.h"
#include "ReportLayout.h"

namespace report {

// Every caption, every score with the risk level words of both sides, "True" or "False" for each
// drawing option, and the employee details. Until the details are confirmed their entries stay
// empty.
ReportTable ReportFields(const Assessment& assessment);

} // namespace report
