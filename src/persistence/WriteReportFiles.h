#pragma once
// The writer: completes the report table from the posture selection window and writes the
// database and the text report side by side, then says "File Saved" and ends the program.
//
// Neither old file is touched until both new ones are complete: each is written to a temporary
// file beside its final name and flushed, and only then moved into place (database first,
// then report). A failure at any step removes the temporary files, leaves the old files as
// they were, shows what went wrong and keeps the program running, so that nothing of the
// assessment is lost.

#include <QString>

#include <functional>
#include <string_view>

// Writes both files for the current ReportBaseName and SaveFolder. On success shows
// "File Saved" and ends the program; on failure shows the failure and returns false.
bool WriteReportFiles();

namespace reportfiles {

struct Paths
{
    QString report;
    QString database;
};
Paths pathsFor(const QString& folder, const QString& baseName);

// Writes both files from the report table as it stands. Returns an empty text on success,
// else the failure's description; either both files are replaced or neither is.
QString writeBoth(const QString& folder, const QString& baseName);

// Tests: called before each step with its name; throwing std::runtime_error makes it fail.
void setStepHook(std::function<void(std::string_view step)> hook);

} // namespace reportfiles
