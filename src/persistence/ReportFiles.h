#pragma once
// The writer of both files: the database and the text report side by side, from a report table.
// It never shows a window and never ends the program: it says what happened.
//
// Neither old file is touched until both new ones are complete: each is written to a temporary
// file beside its final name and flushed, and only then moved into place (database first,
// then report). A failure at any step removes the temporary files, leaves the old files as
// they were and says what went wrong.

#include "ReportLayout.h"

#include <QString>

#include <functional>
#include <string_view>

namespace reportfiles {

struct Paths
{
    QString report;
    QString database;
};
Paths pathsFor(const QString& folder, const QString& baseName);

struct SaveResult
{
    bool saved = false;
    // What failed and why, naming the file and the system's reason.
    QString failure;
    // What is on disk after the failure: which files are old, which new, any copy kept.
    QString onDisk;
};

// Writes "<folder>/<baseName>.txt" and ".mdb" from the report table; either both files are
// replaced or neither is.
SaveResult writeBoth(const QString& folder, const QString& baseName,
                     const report::ReportTable& fields);

// Tests: called before each step with its name; throwing std::runtime_error makes it fail.
void setStepHook(std::function<void(std::string_view step)> hook);

} // namespace reportfiles
