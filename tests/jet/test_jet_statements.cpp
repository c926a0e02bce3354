// The INSERT statement and the names of tables and columns: what is accepted, every way it is
// refused (with the problem, its position and nothing changed), and the limits of one database.
// The cases are in tests/data/jet-cases.txt.

#include "CaseFold.h"
#include "FileImage.h"
#include "FileLayout.h"
#include "InsertParser.h"
#include "SampleDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Tables: T (A, B: Text 200), Small (S: Text 3), Wide (16 x Text 255).
jet::Database fixture(const std::filesystem::path& path)
{
    jet::Database database = jet::Database::create(path);
    sample::addTable(database, {"T", {"A", "B"}, {}});
    jet::Table small("Small");
    small.appendColumn("S", 3);
    database.appendTable(std::move(small));
    jet::Table wide("Wide");
    for (int k = 0; k < 16; ++k)
        wide.appendColumn("W" + std::to_string(k), 255);
    database.appendTable(std::move(wide));
    return database;
}

// 15 values of 125 characters and a last one of `lastLength`: 135 makes the largest row Jet
// takes, 4060 bytes (2 + 16 x 250 + 20 + EOD, 16 offsets, count and a 2-byte null mask).
std::string wideRow(int lastLength)
{
    std::vector<std::string> values(15, std::string(125, 'w'));
    values.push_back(std::string(std::size_t(lastLength), 'v'));
    return sample::insert("Wide", values);
}

// Adds a test row per case of the kinds given in the cases file, with its kind and the fields
// after its name.
void addCases(const QList<QByteArray>& kinds)
{
    QTest::addColumn<QList<QByteArray>>("fields");
    QFile file(VESK_SOURCE_DIR "/tests/data/jet-cases.txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (QByteArray line : file.readAll().split('\n')) {
        for (qsizetype at = 0; (at = line.indexOf("\\x", at)) >= 0; ++at)
            line.replace(at, 4, QByteArray(1, char(line.mid(at + 2, 2).toInt(nullptr, 16))));
        QList<QByteArray> fields = line.split('|');
        if (kinds.contains(fields[0]))
            QTest::newRow(fields.takeAt(1).constData()) << fields;
    }
}

template <typename Action> QString errorOf(Action action)
{
    try {
        action();
    } catch (const jet::Error& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("<accepted>");
}

} // namespace

class TestJetStatements : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data()
    {
        addCases({"accept"});
        QList<QByteArray> wide{"accept", QByteArray::fromStdString(wideRow(135)), "Wide"};
        for (int k = 0; k < 15; ++k)
            wide << QByteArray(125, 'w');
        QTest::newRow("largest row that fits") << (wide << QByteArray(135, 'v'));
    }

    void accepted()
    {
        QFETCH(QList<QByteArray>, fields);
        const jet::InsertStatement parsed = jet::InsertParser(fields[1].toStdString()).parse();
        QCOMPARE(QByteArray::fromStdString(parsed.table), fields[2]);
        QList<QByteArray> values;
        for (const auto& value : parsed.values)
            values << QString::fromStdU16String(value).toUtf8();
        QCOMPARE(values, fields.mid(3));

        QTemporaryDir dir;
        jet::Database database = fixture(dir.filePath("a.mdb").toStdString());
        const auto before = database.bytes();
        database.execute(fields[1].toStdString());
        QVERIFY(database.bytes() != before);
    }

    // Statements, table names and column names refused: the problem (and a statement's
    // position in characters) is told and nothing changes.
    void refused_data()
    {
        addCases({"reject", "table", "column"});
        QTest::newRow("row too large") << QList<QByteArray>{
            "reject", QByteArray::fromStdString(wideRow(136)), "row too large", "13"};
    }

    void refused()
    {
        QFETCH(QList<QByteArray>, fields);
        QTemporaryDir dir;
        jet::Database database = fixture(dir.filePath("r.mdb").toStdString());
        jet::Table columns("T");
        columns.appendColumn("First");
        columns.appendColumn("\u00c9clair \u03a3");
        const auto before = database.bytes();
        const std::string input = fields[1].toStdString();
        jet::Table table(input);
        table.appendColumn("A");
        const QString message = errorOf([&] {
            if (fields[0] == "column")
                columns.appendColumn(input, fields[3].toInt());
            else if (fields[0] == "reject")
                database.execute(input);
            else
                database.appendTable(std::move(table));
        });
        QVERIFY2(message.contains(QString::fromUtf8(fields[2])), qPrintable(message));
        if (fields[0] == "reject")
            QVERIFY2(message.endsWith(" at position " + fields[3]), qPrintable(message));
        QVERIFY(database.bytes() == before);
        QCOMPARE(columns.columns().size(), std::size_t(2));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // Limits of one database: rows while they fit the table's one data page (811-byte rows plus
    // a 2-byte offset each in the 4082 bytes after the page header, or 255 small ones), tables,
    // a definition's page; a refusal changes nothing, and the rows taken are written.
    void limits()
    {
        QTemporaryDir dir;
        for (const auto& [value, rows, problem] :
             {std::tuple{std::string(200, 'a'), 4082 / 813, "data page has 17 bytes left"},
              std::tuple{std::string(), 255, "holds at most 255 rows"}}) {
            jet::Database database = fixture(dir.filePath("f.mdb").toStdString());
            for (int k = 0; k < rows; ++k)
                database.execute(sample::insert("T", {value, value}));
            const auto before = database.bytes();
            QVERIFY(errorOf([&] {
                        database.execute(sample::insert("T", {value, value}));
                    }).contains(problem));
            QVERIFY(database.bytes() == before);
            database.close();
        }
        jet::Database database = fixture(dir.filePath("t.mdb").toStdString());
        QVERIFY(
            errorOf([&] { database.appendTable(jet::Table("Fresh")); }).contains("has no columns"));
        jet::Table columns("Columns"); // a table holds 255 columns
        for (int k = 0; k < 255; ++k)
            columns.appendColumn(std::to_string(k));
        QVERIFY(errorOf([&] { columns.appendColumn("x"); }).contains("at most 255 columns"));
        // A definition of exactly the page less its 8-byte header fits; one byte more not.
        std::vector<std::u16string> names;
        const auto length = [&] {
            return jet::FileImage::userTableDefinition(names, std::vector<int>(names.size(), 200))
                       .length() +
                   8;
        };
        for (const std::size_t size : {jet::kPageSize, jet::kPageSize + 1}) {
            for (std::size_t count = 40; length() != size; ++count) {
                names.clear();
                for (std::size_t k = 0; k < count; ++k)
                    names.push_back(QString::number(k).toStdU16String() + u'c');
                for (std::size_t k = 0; length() < size; k = (k + 1) % count)
                    names[k].push_back(u'c');
            }
            jet::Table big("Size" + std::to_string(size));
            for (const std::u16string& name : names)
                big.appendColumn(QString::fromStdU16String(name).toStdString());
            const QString error = errorOf([&] { database.appendTable(std::move(big)); });
            QVERIFY2(size > jet::kPageSize ? error.contains("more than one page holds")
                                           : error == "<accepted>",
                     qPrintable(error));
        }
        for (std::size_t k = 4; k <= jet::Database::kMaxTables; ++k) {
            jet::Table table("AZaz"[k % 4] + std::to_string(k)); // letters at the range ends
            table.appendColumn("A");
            const QString error = errorOf([&] { database.appendTable(std::move(table)); });
            QCOMPARE(error == "<accepted>", k < jet::Database::kMaxTables);
        }
    }

    // Column names compare without regard to case in every script: each character's lower case
    // against the table Python's Unicode data gives.
    void lowerCaseOfEveryCharacter()
    {
        QFile file(VESK_SOURCE_DIR "/tests/data/lowercase.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::vector<char16_t> expected(0x10000);
        for (std::size_t c = 0; c < expected.size(); ++c)
            expected[c] = c < 'A' || c > 'Z' ? char16_t(c) : char16_t(c + 32);
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> pair = line.split(' ');
            if (pair.size() == 2 && !line.startsWith('#'))
                expected[pair[0].toUInt(nullptr, 16)] = char16_t(pair[1].toUInt(nullptr, 16));
        }
        for (std::size_t c = 0; c < expected.size(); ++c)
            QCOMPARE(int(jet::lowerCase(char16_t(c))), int(expected[c]));
    }
};

QTEST_GUILESS_MAIN(TestJetStatements)
#include "test_jet_statements.moc"
