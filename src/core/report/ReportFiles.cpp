#include "ReportFiles.h"

#include "Database.h"
#include "ReportReader.h"
#include "SafeWrite.h"
#include "Table.h"
#include "TextReport.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace reportfiles {
namespace {

// The part a file plays in a save, the letter after the prefix in its name. The new report's
// letter also records what the save found: '0' plus 1 when there was a database, plus 2 when
// there was a report.
constexpr char NewDatabase = 'd';
constexpr char OldDatabase = 'm';
constexpr char OldReport = 't';
constexpr int HadDatabase = 1;
constexpr int HadReport = 2;

SaveResult failedWith(const QString& failure, const QString& onDisk)
{
    return {false, failure, onDisk, {}};
}

// How long a save waits for another save of the same name to finish.
constexpr std::chrono::milliseconds LockPatience{5000};

const QString NothingLost =
    QStringLiteral("Nothing has been lost: choose another folder or name and save again.");
const QString SaveAgain = QStringLiteral("Choose another folder or name and save again.");

fs::path toPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

QString shown(const fs::path& path)
{
    QString text = QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    }
    return text;
}

bool present(const fs::path& path)
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

// Files of a save to one name found in the folder, by their part in it.
struct Leftovers
{
    std::vector<fs::path> newDatabase, newReport, oldDatabase, oldReport;
    int found = 0;
    // Entries with such names that no save made; never touched.
    std::vector<fs::path> strangers;

    std::vector<fs::path> all() const
    {
        std::vector<fs::path> paths = newDatabase;
        for (const auto* part : {&newReport, &oldDatabase, &oldReport})
            paths.insert(paths.end(), part->begin(), part->end());
        return paths;
    }
};

// `made`: files this save made itself, which it trusts whatever they are (a kept-aside link of
// a linked database is a link).
Leftovers scan(const fs::path& folder, const std::string& prefix,
               const std::vector<fs::path>& made = {})
{
    Leftovers found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::u8string name8 = entry->path().filename().u8string();
        const std::string name(name8.begin(), name8.end());
        if (name.size() != prefix.size() + 1 + safewrite::kRandomLength ||
            name.compare(0, prefix.size(), prefix) != 0 ||
            name.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz", prefix.size() + 1) !=
                std::string::npos)
            continue;
        const char part = name[prefix.size()];
        if (!safewrite::isOwnFile(entry->path()) &&
            std::find(made.begin(), made.end(), entry->path()) == made.end()) {
            found.strangers.push_back(entry->path());
            continue;
        }
        if (part == NewDatabase) {
            found.newDatabase.push_back(entry->path());
        } else if (part == OldDatabase) {
            found.oldDatabase.push_back(entry->path());
        } else if (part == OldReport) {
            found.oldReport.push_back(entry->path());
        } else if (part >= '0' && part <= '3') {
            // A new report is written in full before the pair is touched: one that is not a
            // whole report means the save stopped while writing it, with the pair as it was.
            QFile file(QString::fromStdU16String(entry->path().u16string()));
            if (file.open(QIODevice::ReadOnly) &&
                report::parseReport(file.read(report::MaxReportBytes + 1)).assessment) {
                found.newReport.push_back(entry->path());
                found.found = part - '0';
            } else {
                found.newDatabase.push_back(entry->path()); // removed like an unfinished file
            }
        } else {
            found.strangers.push_back(entry->path());
        }
    }
    return found;
}

// Where the pair stands while a save runs or is undone.
struct State
{
    fs::path folder, database, report;
    bool hadDatabase = false, hadReport = false;
    bool databaseNew = false, reportNew = false;
    bool reportMovedAside = false; // the new report taken back out of place
    fs::path keptDatabase, keptReport;
    bool keptDatabaseIsCopy = false;
    bool databaseFromCopy = false; // the old database was put back from a copy
};

// Puts back what a save to this name (this one, or one that was killed) left: while a new
// report exists the old pair is restored, otherwise the save got no further than the new
// database, or it completed, and what is left is removed. Every step can be repeated, so a
// kill in here is undone by the next call.
void undo(const Leftovers& left, State& state)
{
    if (left.newReport.empty()) {
        for (const fs::path& path : left.all())
            safewrite::remove(path);
        state.keptDatabase.clear();
        state.keptReport.clear();
        return;
    }
    for (const fs::path& old : left.oldReport) {
        if (present(state.report)) {
            safewrite::remove(old);
        } else {
            safewrite::rename(old, state.report);
            state.reportMovedAside = false;
        }
        state.keptReport.clear();
    }
    if (!left.newDatabase.empty()) { // the database was not replaced
        for (const fs::path& path : left.oldDatabase)
            safewrite::remove(path);
        state.keptDatabase.clear();
        for (const fs::path& path : left.newDatabase)
            safewrite::remove(path);
    } else if (!left.oldDatabase.empty()) {
        safewrite::rename(left.oldDatabase.front(), state.database);
        state.databaseNew = false;
        state.databaseFromCopy = state.keptDatabaseIsCopy;
        state.keptDatabase.clear();
        for (std::size_t k = 1; k < left.oldDatabase.size(); ++k)
            safewrite::remove(left.oldDatabase[k]);
    } else if (!(left.found & HadDatabase)) {
        safewrite::remove(state.database);
        state.databaseNew = false;
    }
    for (const fs::path& path : left.newReport)
        safewrite::remove(path);
    state.reportMovedAside = false;
}

QString quotedList(const std::vector<fs::path>& paths)
{
    QStringList names;
    for (const fs::path& path : paths)
        names << QStringLiteral("\"%1\"").arg(shown(path));
    return names.join(QStringLiteral(", "));
}

// What is on disk after a failed save, for the person who will look for the files.
QString onDisk(const State& state, const Leftovers& left)
{
    std::vector<fs::path> unfinished;
    for (const fs::path& path : left.all()) {
        if (path != state.keptDatabase && path != state.keptReport)
            unfinished.push_back(path);
    }
    const QString leftBehind =
        unfinished.empty()
            ? QString()
            : QStringLiteral(" Unfinished files are left in the folder: %1; the next save "
                             "under this name removes them.")
                  .arg(quotedList(unfinished));
    const bool oldPair = !state.databaseNew && !state.reportNew && !state.reportMovedAside &&
                         state.keptDatabase.empty() && state.keptReport.empty();
    if (oldPair && !state.databaseFromCopy)
        return NothingLost + leftBehind;
    if (oldPair)
        return QStringLiteral("The old report is unchanged. The old database is back as a copy "
                              "of itself: \"%1\" holds the same data, but as a new file (links "
                              "to the old file and its permissions are not kept).%2 %3")
            .arg(shown(state.database), leftBehind, SaveAgain);

    QStringList parts;
    const auto describe = [&](const fs::path& path, bool isNew, bool had, bool missing,
                              const QString& what) {
        if (isNew)
            parts << QStringLiteral("\"%1\" is the new %2.").arg(shown(path), what);
        else if (missing || !had)
            parts << QStringLiteral("There is no %2 \"%1\".").arg(shown(path), what);
        else
            parts << QStringLiteral("\"%1\" is the old %2, unchanged.").arg(shown(path), what);
    };
    describe(state.database, state.databaseNew, state.hadDatabase, false,
             QStringLiteral("database"));
    describe(state.report, state.reportNew, state.hadReport, state.reportMovedAside,
             QStringLiteral("report"));
    if (!state.keptDatabase.empty())
        parts << QStringLiteral("The old database is kept as \"%1\"%2.")
                     .arg(shown(state.keptDatabase),
                          state.keptDatabaseIsCopy ? QStringLiteral(" (a copy of it)") : QString());
    if (!state.keptReport.empty())
        parts << QStringLiteral("The old report is kept as \"%1\".").arg(shown(state.keptReport));
    return parts.join(QLatin1Char(' ')) + leftBehind + QLatin1Char(' ') + SaveAgain;
}

std::vector<std::uint8_t> databaseImage(const report::ReportTable& fields)
{
    const auto text = [&fields](int field) { return fields[field].toText().toStdString(); };
    jet::Database database;
    jet::Table results("VESKResult");
    for (std::string_view caption : report::ResultCaptions)
        results.appendColumn(std::string(caption));
    database.appendTable(std::move(results));
    std::vector<std::string> values;
    for (int k = 0; k < report::ResultCount; ++k)
        values.push_back(text(2 * k + 1));
    database.appendRow("VESKResult", values);

    if (!fields[report::EmployeeName].toText().isEmpty()) {
        jet::Table employee("EmployeeDetails");
        for (std::string_view column : report::EmployeeColumns)
            employee.appendColumn(std::string(column));
        database.appendTable(std::move(employee));
        database.appendRow("EmployeeDetails",
                           {text(report::EmployeeName), text(report::EmployeeIdNumber),
                            text(report::EmployeeLocation)});
    }
    return database.bytes();
}

std::span<const std::uint8_t> asBytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

QString refusal(const fs::path& path, const QString& why)
{
    return QStringLiteral("Could not create \"%1\": %2").arg(shown(path), why);
}

QString failureText(const std::exception& error)
{
    if (const auto* failed = dynamic_cast<const safewrite::Error*>(&error))
        return QStringLiteral("%1 \"%2\": %3")
            .arg(QString::fromUtf8(failed->action()), shown(failed->path()),
                 QString::fromLocal8Bit(failed->reason()));
    return QString::fromUtf8(error.what());
}

} // namespace

Paths pathsFor(const QString& folder, const QString& baseName)
{
    // Always joined with "/", whatever the folder ends in.
    const QString stem = folder + QLatin1Char('/') + baseName;
    return {stem + QStringLiteral(".txt"), stem + QStringLiteral(".mdb")};
}

std::string leftoverPrefix(const QString& baseName)
{
    std::uint64_t hash = 0xcbf29ce484222325u; // FNV-1a
    for (char c : baseName.toUtf8()) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 0x100000001b3u;
    }
    static constexpr char digits[] = "0123456789abcdef";
    std::string prefix = ".vesk";
    for (int shift = 44; shift >= 0; shift -= 4)
        prefix += digits[(hash >> shift) & 15];
    return prefix;
}

SaveResult writeBoth(const QString& folder, const QString& baseName,
                     const report::ReportTable& fields)
{
    const Paths paths = pathsFor(folder, baseName);
    State state;
    state.folder = toPath(folder);
    state.report = toPath(paths.report);
    state.database = toPath(paths.database);

    // A separator in the typed name would put the files into another folder.
    if (baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\')))
        return failedWith(
            refusal(state.report, QStringLiteral("a file name cannot contain \"/\" or "
                                                 "\"\\\"")),
            NothingLost);
    for (QChar c : baseName) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return failedWith(
                refusal(state.report,
                        QStringLiteral("a file name cannot contain control characters")),
                NothingLost);
    }
    for (const fs::path& path : {state.database, state.report}) {
        std::error_code ignored;
        if (fs::is_directory(fs::symlink_status(path, ignored)))
            return failedWith(
                QStringLiteral("Could not replace \"%1\": it is a folder").arg(shown(path)),
                NothingLost);
    }

    const std::string prefix = leftoverPrefix(baseName);
    // One save of a name at a time. A lock that cannot be had where it belongs (someone else's
    // file, a link or a folder under its name) does not stop the save: the files of the pair
    // are still never replaced but by a complete new pair.
    std::optional<safewrite::Lock> lock;
    try {
        lock = safewrite::Lock::take(state.folder / (prefix + ".lock"), LockPatience);
        if (!lock)
            return failedWith(
                QStringLiteral("Another save under the name \"%1\" into this folder has not "
                               "finished after %2 seconds.")
                    .arg(baseName)
                    .arg(LockPatience.count() / 1000),
                QStringLiteral("This save has written nothing. Save again once the other "
                               "has finished."));
    } catch (const safewrite::Error&) {
    }

    const std::vector<fs::path> strangers = scan(state.folder, prefix).strangers;
    const auto told = [&strangers](SaveResult result) {
        for (const fs::path& path : strangers)
            result.strangers << shown(path);
        if (!result.saved && !strangers.empty())
            result.onDisk += QStringLiteral(" In the folder, %1 carry the names of a save's own "
                                            "files but no save of this program made them; they "
                                            "are left as they are.")
                                 .arg(quotedList(strangers));
        return result;
    };
    try {
        State earlier = state;
        undo(scan(state.folder, prefix), earlier);
    } catch (const std::exception& error) {
        return told(
            failedWith(failureText(error),
                       QStringLiteral("This save wrote nothing, and the pair is as the earlier "
                                      "save left it. Files of an earlier save under this name that "
                                      "did not finish are in the folder: %1. %2")
                           .arg(quotedList(scan(state.folder, prefix).all()), SaveAgain)));
    }

    std::optional<safewrite::NewFile> newDatabase, newReport;
    try {
        std::vector<std::uint8_t> image;
        try {
            image = databaseImage(fields);
        } catch (const jet::Error& error) {
            return told(failedWith(QStringLiteral("Could not write \"%1\": %2")
                                       .arg(shown(state.database), QString::fromUtf8(error.what())),
                                   NothingLost));
        }
        newDatabase.emplace(
            safewrite::NewFile::create(state.folder, prefix + NewDatabase, state.database));
        newDatabase->write(image);
        newDatabase->finish();

        state.hadDatabase = present(state.database);
        state.hadReport = present(state.report);
        const char found =
            char('0' + (state.hadDatabase ? HadDatabase : 0) + (state.hadReport ? HadReport : 0));
        newReport.emplace(safewrite::NewFile::create(state.folder, prefix + found, state.report));
        newReport->write(asBytes(textReport(fields)));
        newReport->finish();

        if (state.hadDatabase)
            state.keptDatabase = safewrite::keepAside(
                state.database, state.folder, prefix + OldDatabase, state.keptDatabaseIsCopy);
        if (state.hadReport) {
            bool copied = false;
            state.keptReport =
                safewrite::keepAside(state.report, state.folder, prefix + OldReport, copied);
        }
        safewrite::syncFolder(state.folder);

        // Nothing happens between these two renames: a kill there leaves the new database
        // beside the old report, which the next save to this name puts back.
        newDatabase->moveTo(state.database);
        state.databaseNew = true;
        newReport->moveTo(state.report);
        state.reportNew = true;
        safewrite::syncFolder(state.folder);
    } catch (const std::exception& error) {
        const QString failure = failureText(error);
        // Unfinished files stay for undo() to find them by their names.
        std::vector<fs::path> made{state.keptDatabase, state.keptReport};
        for (auto* file : {&newDatabase, &newReport}) {
            if (*file)
                made.push_back((*file)->release());
        }
        try {
            if (state.reportNew) {
                made.push_back(
                    safewrite::moveAside(state.report, state.folder,
                                         prefix + char('0' + (state.hadDatabase ? HadDatabase : 0) +
                                                       (state.hadReport ? HadReport : 0))));
                state.reportNew = false;
                state.reportMovedAside = true;
            }
            undo(scan(state.folder, prefix, made), state);
        } catch (const std::exception&) {
            // What could not be put back is said below.
        }
        return told(failedWith(failure, onDisk(state, scan(state.folder, prefix, made))));
    }

    // Both new files are in place: the old ones kept aside are no longer needed. Should one
    // stay, the next save under this name removes it.
    try {
        for (const fs::path& kept : {state.keptDatabase, state.keptReport}) {
            if (!kept.empty())
                safewrite::remove(kept);
        }
    } catch (const safewrite::Error&) {
    }
    return told(SaveResult{true, {}, {}, {}});
}

} // namespace reportfiles
