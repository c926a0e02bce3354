// Files written by the library, read back by readers nobody here wrote, and what close() and
// create() do when the file system or the caller is in the way.

#include "ReadBack.h"
#include "SampleDatabase.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct TableSpec
{
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden,
                                  QDir::Name);
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const jet::Error& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("<no error>");
}

} // namespace

Q_DECLARE_METATYPE(std::vector<TableSpec>)

class TestJetFiles : public QObject
{
    Q_OBJECT

private slots:
    void readers_data()
    {
        QTest::addColumn<std::vector<TableSpec>>("tables");
        QTest::newRow("assessment") << std::vector<TableSpec>{
            {"VESKResult", sample::resultColumns, {sample::resultValues}},
            {"EmployeeDetails", sample::employeeColumns, {sample::employeeValues}}};
        std::string outsideBmp;
        for (int k = 0; k < 100; ++k)
            outsideBmp += "\U0001F600";
        QTest::newRow("value kinds") << std::vector<TableSpec>{
            {"Kinds",
             {"Empty", "Full 200", "Accents / Latin", "CJK", "Apostrophes", "Full outside BMP"},
             {{"", std::string(200, 'x'), "\u00e0\u00e9\u00ee \u00c5\u0159\u00df \u20ac",
               "\u738b\u5c0f\u660e", "O'Brien's ''x''", outsideBmp}}}};
        std::vector<TableSpec> many;
        for (int k = 0; k < 16; ++k)
            many.push_back({"Table" + std::to_string(k), {"A", "B"}, {{"x", ""}, {"", "y"}}});
        QTest::newRow("sixteen tables, two rows each") << many;
    }

    void readers()
    {
        QFETCH(std::vector<TableSpec>, tables);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("read back.mdb"));
        jet::Database database = jet::Database::create(path.toStdString());
        std::vector<readback::Table> expected;
        for (const TableSpec& table : tables) {
            sample::addTable(database, table.name, table.columns, table.rows);
            readback::Table& out = expected.emplace_back();
            out.name = QString::fromStdString(table.name);
            for (const std::string& column : table.columns)
                out.columns << QString::fromStdString(column) + " text400";
            for (const auto& row : table.rows) {
                out.rows.emplace_back();
                for (const std::string& value : row)
                    out.rows.back() << QString::fromStdString(value);
            }
        }
        database.close();
        QCOMPARE(readback::mdbReader(path), expected);

        std::vector<readback::Table> byTools = readback::mdbTools(path);
        QCOMPARE(byTools.size(), expected.size());
        for (std::size_t t = 0; t < expected.size(); ++t) {
            expected[t].columns.replaceInStrings(" text400", " Text (200)");
            for (qsizetype r = 0; r < qMin(expected[t].rows.size(), byTools[t].rows.size()); ++r) {
                QStringList& row = byTools[t].rows[r];
                for (qsizetype c = 0; c < qMin(row.size(), expected[t].rows[r].size()); ++c) {
                    const QString& value = expected[t].rows[r][c];
                    if (value.size() != value.toUcs4().size()) // outside the BMP: see mdbTools
                        row[c] = value;
                }
            }
        }
        QCOMPARE(byTools, expected);
    }

    // A failure of the file system leaves nothing new in the folder and says where and why.
    void closeFails_data()
    {
        QTest::addColumn<QString>("occupy");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder removed before close") << ""
                                                     << "No such file or directory";
        QTest::newRow("target is a non-empty folder") << "out.mdb/x"
                                                      << "Is a directory";
    }

    void closeFails()
    {
        QFETCH(QString, occupy);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString folder = dir.filePath("sub");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/out.mdb";
        jet::Database database = sample::assessment(path.toStdString(), false);
        if (occupy.isEmpty())
            QVERIFY(QDir(folder).removeRecursively());
        else
            QVERIFY(QDir().mkpath(folder + "/" + occupy));
        const QString message = errorOf([&] { database.close(); });
        QVERIFY2(message.contains('"' + path + "\": " + reason), qPrintable(message));
        QCOMPARE(entries(folder), occupy.isEmpty() ? QStringList() : QStringList{"out.mdb"});
        QCOMPARE(entries(folder + "/out.mdb"), occupy.isEmpty() ? QStringList() : QStringList{"x"});
    }

    void createRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << ""
                               << "no file name";
        QTest::newRow("folder") << "."
                                << "is a folder";
        QTest::newRow("missing folder") << "no/such/folder/x.mdb"
                                        << "does not exist";
    }

    void createRefused()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QVERIFY(errorOf([&] { jet::Database::create(path.toStdString()); }).contains(problem));
        QCOMPARE(entries(dir.path()), QStringList{});
    }

    // Nothing is written without close(); a closed or moved-from database refuses every use.
    void misuse()
    {
        QTemporaryDir dir;
        {
            sample::assessment(dir.filePath("a.mdb").toStdString(), true);
        }
        QCOMPARE(entries(dir.path()), QStringList{});
        jet::Database database = sample::assessment(dir.filePath("a.mdb").toStdString(), false);
        jet::Database moved = std::move(database);
        QVERIFY(errorOf([&] { database.bytes(); }).contains("moved from"));
        moved.close();
        QCOMPARE(entries(dir.path()), QStringList{"a.mdb"});
        QVERIFY(errorOf([&] { moved.close(); }).contains("already closed"));
        QVERIFY(errorOf([&] {
                    moved.execute("INSERT INTO VESKResult VALUES ('a')");
                }).contains("already closed"));
    }
};

QTEST_GUILESS_MAIN(TestJetFiles)
#include "test_jet_files.moc"
