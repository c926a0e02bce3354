#pragma once
// Reading a database back with readers nobody here wrote: mdbtools and the mdb-reader package
// (read-mdb.mjs beside this file). Both must be installed (CI installs them); a missing tool
// fails the test. Each reader gives the tables in one shape, so a test compares them with what
// it wrote.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <vector>

namespace readback {

struct Table
{
    QString name;
    QStringList columns; // "<name> <type>"
    QList<QStringList> rows;
    friend bool operator==(const Table&, const Table&) = default;
};

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(VESK_SOURCE_DIR));
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + " " + arguments.join(' ') +
                                " failed: " + QString::fromUtf8(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// mdb-reader: columns "<name> text<size in bytes>", every value as read ("" stays "").
inline std::vector<Table> mdbReader(const QString& path)
{
    const QString script = QStringLiteral(VESK_SOURCE_DIR "/tests/js/read-mdb.mjs");
    std::vector<Table> tables;
    for (const QJsonValue& table :
         QJsonDocument::fromJson(run("node", {script, path}).toUtf8()).array()) {
        Table& out = tables.emplace_back();
        out.name = table["name"].toString();
        out.columns = table["columns"].toVariant().toStringList();
        for (const QJsonValue& row : table["rows"].toArray())
            out.rows << row.toVariant().toStringList();
    }
    return tables;
}

// mdbtools: the version, then per table the schema's columns "<name> <type>" and mdb-export's
// rows. mdbtools decodes text as UCS-2: characters outside the BMP do not come back.
inline std::vector<Table> mdbTools(const QString& path)
{
    if (run("mdb-ver", {path}).trimmed() != "JET4")
        QTest::qFail("mdb-ver: not a Jet 4 file", __FILE__, __LINE__);
    std::vector<Table> tables;
    const QRegularExpression column("^\\s*\\[(.*)\\]\\s+(.*?),?\\s*$");
    for (const QString& name : run("mdb-tables", {"-1", path}).split('\n', Qt::SkipEmptyParts)) {
        Table& out = tables.emplace_back();
        out.name = name;
        for (const QString& line : run("mdb-schema", {"-T", name, path}).split('\n')) {
            if (const auto match = column.match(line); match.hasMatch())
                out.columns << match.captured(1) + " " + match.captured(2);
        }
        // Fields and records split by the ASCII unit and record separators, nothing quoted.
        const QString exported =
            run("mdb-export", {"-H", "-Q", "-d", "\x1f", "-R", "\x1e", path, name});
        for (const QString& record : exported.split(QChar(0x1e), Qt::SkipEmptyParts))
            out.rows << record.split(QChar(0x1f));
    }
    return tables;
}

} // namespace readback
