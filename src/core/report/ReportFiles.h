#pragma once
// The writer of both files: the database and the text report side by side, from a report table.
// It never shows a window and never ends the program: it says what happened.
//
// Both new files are written in full and synced beside their final names before either old
// file is touched; the old files are kept aside under second names (hard links, or copies
// where the file system has none) until both new files are in place and the folder is synced.
// A failure at any step puts the old pair back and removes every file of the save. The files
// a save keeps beside the final ones carry names of their own (see leftoverPrefix), so the next
// save to the same name finds what a killed save left: it puts the old pair back when the new
// report had not yet replaced the old one, and removes the rest. Only files a save could have
// made are acted on: plain files of this user's, a new report only when it is complete. What
// else carries such a name (a link, a folder, someone else's file) is left alone and named.
//
// Saves to one name in one folder run one at a time: each holds a lock (a file of its own
// beside the pair, gone with the save) that the system releases if the save is killed.

#include "ReportLayout.h"

#include <QString>
#include <QStringList>

#include <string>

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
    // Entries with the names of a save's own files that no save of this program made (links,
    // folders, files of someone else's), left as they are.
    QStringList strangers;
};

// Writes "<folder>/<baseName>.txt" and ".mdb" from the report table; either both files are
// replaced or neither is.
SaveResult writeBoth(const QString& folder, const QString& baseName,
                     const report::ReportTable& fields);

// Every file a save to `baseName` makes beside the final ones is named this prefix, one letter
// for its part in the save, and random letters and digits: ".vesk" and 12 hex digits of a
// hash of the name, so the name's length does not matter.
std::string leftoverPrefix(const QString& baseName);

} // namespace reportfiles
