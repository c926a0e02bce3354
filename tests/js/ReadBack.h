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
#include <QStandardPaths>
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
    if (!QStandardPaths::findExecutable(program).isEmpty())
        process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + " " + arguments.join(' ') +
                                " failed: " + QString::fromUtf8(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QStringList lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// One CSV record as mdb-export writes it: fields quoted with ", quotes doubled.
inline QStringList csvFields(const QString& line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype k = 0; k < line.size(); ++k) {
        if (quoted && line[k] == '"' && k + 1 < line.size() && line[k + 1] == '"')
            fields.back() += line[++k];
        else if (line[k] == '"')
            quoted = !quoted;
        else if (line[k] == ',' && !quoted)
            fields.append(QString());
        else
            fields.back() += line[k];
    }
    return fields;
}

// mdb-reader: columns "<name> text<size in bytes>", every value as read ("" stays "").
inline std::vector<Table> mdbReader(const QString& path)
{
    const QJsonObject read =
        QJsonDocument::fromJson(
            run("node", {QStringLiteral(VESK_SOURCE_DIR "/tests/js/read-mdb.mjs"), path}).toUtf8())
            .object();
    if (read["systemTables"].toArray().toVariantList() !=
        QVariantList({"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"}))
        QTest::qFail("mdb-reader: unexpected system tables", __FILE__, __LINE__);
    std::vector<Table> tables;
    for (const QJsonValue& table : read["tables"].toArray()) {
        Table& out = tables.emplace_back();
        out.name = table["name"].toString();
        for (const QJsonValue& column : table["columns"].toArray())
            out.columns << column["name"].toString() + " " + column["type"].toString() +
                               QString::number(column["size"].toInt());
        for (const QJsonValue& row : table["rows"].toArray()) {
            QStringList values;
            for (const QJsonValue& value : row.toArray())
                values << (value.isString() ? value.toString() : QStringLiteral("<not text>"));
            out.rows << values;
        }
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
    for (const QString& name : lines(run("mdb-tables", {"-1", path}))) {
        Table& out = tables.emplace_back();
        out.name = name;
        for (const QString& line : lines(run("mdb-schema", {"-T", name, path}))) {
            if (const auto match = column.match(line); match.hasMatch())
                out.columns << match.captured(1) + " " + match.captured(2);
        }
        const QStringList exported = lines(run("mdb-export", {path, name}));
        for (qsizetype r = 1; r < exported.size(); ++r)
            out.rows << csvFields(exported[r]);
    }
    return tables;
}

} // namespace readback
