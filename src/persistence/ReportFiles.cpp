#include "ReportFiles.h"

#include "Database.h"
#include "Quote.h"
#include "Table.h"
#include "TextReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace reportfiles {
namespace {

std::function<void(std::string_view)>& stepHook()
{
    static std::function<void(std::string_view)> hook;
    return hook;
}

// A step that the test hook makes fail reports like a failure of the file system there.
void step(std::string_view name, const QString& what, const fs::path& path);

fs::path toPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

QString displayPath(const fs::path& path)
{
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

[[noreturn]] void fail(const QString& what, const fs::path& path, const QString& reason)
{
    throw std::runtime_error(
        QStringLiteral("%1 \"%2\": %3").arg(what, displayPath(path), reason).toStdString());
}

void step(std::string_view name, const QString& what, const fs::path& path)
{
    if (!stepHook())
        return;
    try {
        stepHook()(name);
    } catch (const std::exception& error) {
        fail(what, path, QString::fromStdString(error.what()));
    }
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A name beside `target` that no earlier save left behind.
fs::path temporaryBeside(const fs::path& target, const char* purpose)
{
    const auto pid = QCoreApplication::applicationPid();
    for (int attempt = 0;; ++attempt) {
        fs::path candidate = target;
        candidate +=
            "." + std::string(purpose) + "-" + std::to_string(pid) + "-" + std::to_string(attempt);
        std::error_code ignored;
        if (!fs::exists(fs::symlink_status(candidate, ignored)))
            return candidate;
    }
}

void writeReportFile(const fs::path& path, const std::string& bytes)
{
    QFile file(QString::fromStdU16String(path.u16string()));
    step("create report", QStringLiteral("Could not create"), path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        fail(QStringLiteral("Could not create"), path, file.errorString());
    step("write report", QStringLiteral("Could not write"), path);
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        fail(QStringLiteral("Could not write"), path, file.errorString());
    step("flush report", QStringLiteral("Could not write"), path);
    if (!file.flush())
        fail(QStringLiteral("Could not write"), path, file.errorString());
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        fail(QStringLiteral("Could not write"), path, systemError(errno));
#endif
    step("close report", QStringLiteral("Could not write"), path);
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Could not write"), path, file.errorString());
}

void writeDatabaseFile(const fs::path& path, const report::ReportTable& fields)
{
    jet::Options options;
    options.beforeStep = [](std::string_view name) {
        if (stepHook())
            stepHook()(std::string("database ") + std::string(name));
    };
    jet::Database database = jet::Database::create(path, options);

    jet::Table results("VESKResult");
    for (std::string_view caption : report::ResultCaptions)
        results.appendColumn(std::string(caption));
    database.appendTable(std::move(results));
    std::string insert = "INSERT INTO VESKResult VALUES (";
    for (int k = 0; k < report::ResultCount; ++k) {
        insert += (k ? ", " : "") + jet::quoteValue(fields[2 * k + 1].toText().toStdString());
    }
    database.execute(insert + ")");

    if (!fields[report::EmployeeName].toText().isEmpty()) {
        jet::Table employee("EmployeeDetails");
        for (std::string_view column : report::EmployeeColumns)
            employee.appendColumn(std::string(column));
        database.appendTable(std::move(employee));
        database.execute(
            "INSERT INTO EmployeeDetails VALUES (" +
            jet::quoteValue(fields[report::EmployeeName].toText().toStdString()) + ", " +
            jet::quoteValue(fields[report::EmployeeIdNumber].toText().toStdString()) + ", " +
            jet::quoteValue(fields[report::EmployeeLocation].toText().toStdString()) + ")");
    }
    database.close();
}

void renameOver(const fs::path& from, const fs::path& to, const char* stepName)
{
    step(stepName, QStringLiteral("Could not replace"), to);
    std::error_code error;
    fs::rename(from, to, error);
    if (error)
        fail(QStringLiteral("Could not replace"), to, QString::fromStdString(error.message()));
}

void removeQuietly(const fs::path& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

} // namespace

Paths pathsFor(const QString& folder, const QString& baseName)
{
    // Always joined with "/", whatever the folder ends in.
    const QString stem = folder + QLatin1Char('/') + baseName;
    return {stem + QStringLiteral(".txt"), stem + QStringLiteral(".mdb")};
}

SaveResult writeBoth(const QString& folder, const QString& baseName,
                     const report::ReportTable& fields)
{
    const Paths paths = pathsFor(folder, baseName);
    const fs::path report = toPath(paths.report);
    const fs::path database = toPath(paths.database);
    const fs::path newReport = temporaryBeside(report, "new");
    const fs::path newDatabase = temporaryBeside(database, "new");
    const fs::path oldDatabase = temporaryBeside(database, "old");
    bool databaseReplaced = false;
    bool hadDatabase = false;
    try {
        // A separator in the typed name would put the files into another folder.
        if (baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\')))
            fail(QStringLiteral("Could not create"), report,
                 QStringLiteral("a file name cannot contain \"/\" or \"\\\""));
        try {
            writeDatabaseFile(newDatabase, fields);
        } catch (const jet::Error& error) {
            fail(QStringLiteral("Could not write"), database, QString::fromStdString(error.what()));
        }
        writeReportFile(newReport, textReport(fields));

        // Keep the old database aside until the report is in place too, so that a failure
        // of the last rename can put it back.
        std::error_code error;
        hadDatabase = fs::exists(fs::symlink_status(database, error));
        if (hadDatabase) {
            step("keep old database", QStringLiteral("Could not read"), database);
            fs::copy_file(database, oldDatabase, error);
            if (error)
                fail(QStringLiteral("Could not read"), database,
                     QString::fromStdString(error.message()));
        }
        renameOver(newDatabase, database, "rename database");
        databaseReplaced = true;
        renameOver(newReport, report, "rename report");
        removeQuietly(oldDatabase);
        return {true, {}, {}};
    } catch (const std::exception& error) {
        bool oldDatabaseBack = true;
        if (databaseReplaced) {
            std::error_code restore;
            if (hadDatabase)
                fs::rename(oldDatabase, database, restore);
            else
                fs::remove(database, restore);
            oldDatabaseBack = !restore;
        }
        removeQuietly(newReport);
        removeQuietly(newDatabase);
        // Should the old database not go back, its copy is all that is left of it.
        if (oldDatabaseBack)
            removeQuietly(oldDatabase);
        return {false, QString::fromStdString(error.what()),
                QStringLiteral("Nothing has been lost: choose another folder or name and save "
                               "again.")};
    }
}

void setStepHook(std::function<void(std::string_view step)> hook)
{
    stepHook() = std::move(hook);
}

} // namespace reportfiles
