#pragma once
// What tests of every kind share: reading and writing files, the data tables under tests/data,
// finding an option by the name of its drawing, the worked example, and running a program.

#include "Assessment.h"
#include "OptionTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every name in a folder, hidden ones and dangling links too, sorted.
inline QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
}

// A file under tests/data.
inline QString dataPath(const QString& name)
{
    return QStringLiteral(VESK_TEST_DATA "/") + name;
}

inline QByteArray dataFile(const QString& name)
{
    return readAll(dataPath(name));
}

// The lines of a data file without its comments, split at `separator` (blanks: runs of them).
inline QList<QStringList> dataRows(const QString& name, QChar separator = u' ')
{
    QList<QStringList> rows;
    for (const QByteArray& line : dataFile(name).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        rows << QString::fromUtf8(line).split(separator, separator == u' ' ? Qt::SkipEmptyParts
                                                                           : Qt::KeepEmptyParts);
    }
    return rows;
}

// The index into Options of the option whose drawing has this name, or -1.
inline int optionIndex(const QString& drawing)
{
    for (int i = 0; i < OptionCount; ++i) {
        if (QLatin1String(Options[std::size_t(i)].drawing.data(),
                          qsizetype(Options[std::size_t(i)].drawing.size())) == drawing)
            return i;
    }
    return -1;
}

inline QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The drawings of the worked example: left final score 8 "High", right 10 "High".
inline const QStringList WorkedExample = {"trunk3", "neck2",   "leg2",    "Image9",   "Image104",
                                          "Image1", "Image3",  "Image98", "Image110", "Image6",
                                          "Image8", "Image15", "Image17"};

// An assessment of these drawings, clicked in this order.
inline Assessment assessmentOf(const QStringList& drawings)
{
    Assessment assessment;
    for (const QString& drawing : drawings)
        assessment.choose(optionIndex(drawing));
    return assessment;
}

// How a program ended: its exit status (-1: it crashed; -2: it was still running after two
// minutes and was killed) and what it wrote.
struct Run
{
    int status = -1;
    QString out, err;
};

// Runs a program in the source folder, where node finds the packages the project pins.
inline Run
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QStringLiteral(VESK_SOURCE_DIR));
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-2, {}, {}};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
