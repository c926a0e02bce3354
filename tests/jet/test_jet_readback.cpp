// Files written by the library, read back by readers nobody here wrote: mdbtools and the
// mdb-reader package. Both must be installed (CI installs them); a missing tool fails.

#include "SampleDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TableSpec
{
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

QString run(const QString& program, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        QTest::qFail(qPrintable(program + " is not installed"), __FILE__, __LINE__);
        return {};
    }
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(VESK_SOURCE_DIR));
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + " " + arguments.join(' ') +
                                " failed: " + QString::fromUtf8(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// One CSV record as mdb-export writes it: fields quoted with ", quotes doubled.
QStringList csvFields(const QString& line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype k = 0; k < line.size(); ++k) {
        const QChar c = line[k];
        if (quoted && c == '"' && k + 1 < line.size() && line[k + 1] == '"') {
            fields.back() += c;
            ++k;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.append(QString());
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

bool outsideBmp(const std::string& value)
{
    return QString::fromStdString(value).size() != QString::fromStdString(value).toUcs4().size();
}

} // namespace

Q_DECLARE_METATYPE(std::vector<TableSpec>)

class TestJetReadback : public QObject
{
    Q_OBJECT

private slots:
    void readers_data()
    {
        QTest::addColumn<std::vector<TableSpec>>("tables");
        QTest::newRow("assessment") << std::vector<TableSpec>{
            {"VESKResult", sample::resultColumns, {sample::resultValues}},
            {"EmployeeDetails", sample::employeeColumns, {sample::employeeValues}}};
        QTest::newRow("results only") << std::vector<TableSpec>{
            {"VESKResult", sample::resultColumns, {sample::resultValues}}};
        const std::string full(200, 'x');
        std::string fullOutsideBmp;
        for (int k = 0; k < 100; ++k)
            fullOutsideBmp += "\U0001F600";
        QTest::newRow("value kinds") << std::vector<TableSpec>{
            {"Kinds",
             {"Empty", "One", "Full 200", "Accents / Latin", "Euro - sign", "CJK", "Emoji",
              "Apostrophes", "Full outside BMP"},
             {{"", "a", full, "\u00e0\u00e9\u00ee\u00f5\u00fc \u00c5\u0159\u00df", "\u20ac 12",
               "\u738b\u5c0f\u660e\u6f22\u5b57", "a\U0001F600b", "O'Brien's ''x''",
               fullOutsideBmp}}}};
        std::vector<TableSpec> many;
        for (int k = 0; k < 16; ++k)
            many.push_back(
                {std::string("Table") + std::to_string(k), {"A", "B"}, {{"x", ""}, {"", "y"}}});
        QTest::newRow("sixteen tables, two rows each") << many;
    }

    void readers()
    {
        QFETCH(std::vector<TableSpec>, tables);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("read back.mdb"));
        {
            jet::Database database = jet::Database::create(path.toStdString());
            for (const TableSpec& table : tables)
                sample::addTable(database, table.name, table.columns, table.rows);
            database.close();
        }

        QCOMPARE(run("mdb-ver", {path}).trimmed(), QStringLiteral("JET4"));
        QStringList names;
        for (const TableSpec& table : tables)
            names << QString::fromStdString(table.name);
        QCOMPARE(lines(run("mdb-tables", {"-1", path})), names);

        const QJsonObject read =
            QJsonDocument::fromJson(
                run("node", {QStringLiteral(VESK_SOURCE_DIR "/tests/js/read-mdb.mjs"), path})
                    .toUtf8())
                .object();
        QCOMPARE(read["systemTables"].toArray().toVariantList(),
                 QVariantList({"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"}));
        const QJsonArray readTables = read["tables"].toArray();
        QCOMPARE(readTables.size(), qsizetype(tables.size()));

        for (std::size_t t = 0; t < tables.size(); ++t) {
            const TableSpec& table = tables[t];
            const QString name = QString::fromStdString(table.name);
            const QStringList schema = lines(run("mdb-schema", {"-T", name, path}))
                                           .filter(QRegularExpression("^\\s*\\[.*\\]\\s+\\S"));
            QCOMPARE(schema.size(), qsizetype(table.columns.size()));
            const QRegularExpression column("^\\s*\\[(.*)\\]\\s+(.*?),?\\s*$");
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const auto match = column.match(schema[qsizetype(c)]);
                QCOMPARE(match.captured(1), QString::fromStdString(table.columns[c]));
                QCOMPARE(match.captured(2), QStringLiteral("Text (200)"));
            }

            // mdb-export: header and values. mdbtools decodes text as UCS-2, so values with
            // characters outside the BMP are checked with mdb-reader only.
            const QStringList exported = lines(run("mdb-export", {path, name}));
            QCOMPARE(exported.size(), qsizetype(1 + table.rows.size()));
            QCOMPARE(csvFields(exported[0]).size(), qsizetype(table.columns.size()));
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                const QStringList fields = csvFields(exported[qsizetype(r + 1)]);
                for (std::size_t c = 0; c < table.columns.size(); ++c) {
                    if (!outsideBmp(table.rows[r][c]))
                        QCOMPARE(fields[qsizetype(c)], QString::fromStdString(table.rows[r][c]));
                }
            }
            // mdb-json: one object per row; an empty text is left out (an mdbtools limit).
            const QStringList json = lines(run("mdb-json", {path, name}));
            QCOMPARE(json.size(), qsizetype(table.rows.size()));
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                const QJsonObject object =
                    QJsonDocument::fromJson(json[qsizetype(r)].toUtf8()).object();
                for (std::size_t c = 0; c < table.columns.size(); ++c) {
                    const std::string& value = table.rows[r][c];
                    const QString key = QString::fromStdString(table.columns[c]);
                    if (value.empty())
                        QVERIFY(!object.contains(key));
                    else if (!outsideBmp(value))
                        QCOMPARE(object[key].toString(), QString::fromStdString(value));
                }
            }

            // mdb-reader: names, types, sizes in bytes, every value exactly, "" not null.
            const QJsonObject readTable = readTables[qsizetype(t)].toObject();
            QCOMPARE(readTable["name"].toString(), name);
            QCOMPARE(readTable["rowCount"].toInt(), int(table.rows.size()));
            const QJsonArray readColumns = readTable["columns"].toArray();
            QCOMPARE(readColumns.size(), qsizetype(table.columns.size()));
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const QJsonObject readColumn = readColumns[qsizetype(c)].toObject();
                QCOMPARE(readColumn["name"].toString(), QString::fromStdString(table.columns[c]));
                QCOMPARE(readColumn["type"].toString(), QStringLiteral("text"));
                QCOMPARE(readColumn["size"].toInt(), 400);
            }
            const QJsonArray rows = readTable["rows"].toArray();
            QCOMPARE(rows.size(), qsizetype(table.rows.size()));
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                const QJsonArray values = rows[qsizetype(r)].toArray();
                for (std::size_t c = 0; c < table.columns.size(); ++c) {
                    QVERIFY(values[qsizetype(c)].isString());
                    QCOMPARE(values[qsizetype(c)].toString(),
                             QString::fromStdString(table.rows[r][c]));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestJetReadback)
#include "test_jet_readback.moc"
