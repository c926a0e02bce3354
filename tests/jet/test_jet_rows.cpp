// Rows of values and the names of tables and columns: what is accepted, every way it is
// refused (with the problem, where it is and nothing changed), and the limits of one database.
// The cases are in tests/data/jet-cases.txt.

#include "CaseFold.h"
#include "FileImage.h"
#include "FileLayout.h"
#include "SampleDatabase.h"

#include <QFile>
#include <QTest>

namespace {

// Tables: T (A, B: Text 200), Small (S: Text 3), Wide (16 x Text 255).
jet::Database fixture()
{
    jet::Database database;
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

// Wide, then 15 values of 125 characters and a last one of `lastLength`: 135 makes the largest
// row Jet takes, 4060 bytes (2 + 16 x 250 + 20 + EOD, 16 offsets, count and a 2-byte null mask).
QList<QByteArray> wideRow(int lastLength)
{
    QList<QByteArray> fields{"Wide"};
    for (int k = 0; k < 15; ++k)
        fields << QByteArray(125, 'w');
    return fields << QByteArray(lastLength, 'v');
}

std::vector<std::string> values(const QList<QByteArray>& fields)
{
    std::vector<std::string> out;
    for (const QByteArray& field : fields)
        out.push_back(field.toStdString());
    return out;
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

class TestJetRows : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data()
    {
        addCases({"accept"});
        QTest::newRow("largest row that fits") << (QList<QByteArray>{"accept"} + wideRow(135));
    }

    // The values are stored as given, one after the other in UTF-16LE: nothing doubled, left
    // out or reordered.
    void accepted()
    {
        QFETCH(QList<QByteArray>, fields);
        jet::Database database = fixture();
        const auto before = database.bytes();
        database.appendRow(fields[1].toStdString(), values(fields.mid(2)));
        const auto after = database.bytes();
        QVERIFY(after != before);
        QByteArray stored;
        for (const QByteArray& value : fields.mid(2)) {
            for (const char16_t unit : QString::fromUtf8(value).toStdU16String())
                stored += QByteArray{} + char(unit & 0xFF) + char(unit >> 8);
        }
        QVERIFY(QByteArray(reinterpret_cast<const char*>(after.data()), qsizetype(after.size()))
                    .contains(stored));
    }

    // Rows, table names and column names refused: the problem is told and nothing changes.
    void refused_data()
    {
        addCases({"reject", "table", "column"});
        QList<QByteArray> tooLarge = wideRow(136);
        tooLarge.insert(1, "row too large: 4062 bytes, a row holds at most 4060");
        QTest::newRow("row too large") << (QList<QByteArray>{"reject"} + tooLarge);
    }

    void refused()
    {
        QFETCH(QList<QByteArray>, fields);
        jet::Database database = fixture();
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
                database.appendRow(input, values(fields.mid(3)));
            else
                database.appendTable(std::move(table));
        });
        QVERIFY2(message.contains(QString::fromUtf8(fields[2])), qPrintable(message));
        QVERIFY(database.bytes() == before);
        QCOMPARE(columns.columns().size(), std::size_t(2));
    }

    // Limits of one database: rows while they fit the table's one data page (811-byte rows plus
    // a 2-byte offset each in the 4082 bytes after the page header, or 255 small ones), tables,
    // a definition's page; a refusal changes nothing.
    void limits()
    {
        for (const auto& [value, rows, problem] :
             {std::tuple{std::string(200, 'a'), 4082 / 813, "data page has 17 bytes left"},
              std::tuple{std::string(), 255, "holds at most 255 rows"}}) {
            jet::Database database = fixture();
            for (int k = 0; k < rows; ++k)
                database.appendRow("T", {value, value});
            const auto before = database.bytes();
            QVERIFY(errorOf([&] { database.appendRow("T", {value, value}); }).contains(problem));
            QVERIFY(database.bytes() == before);
        }
        jet::Database database = fixture();
        QVERIFY(
            errorOf([&] { database.appendTable(jet::Table("Fresh")); }).contains("has no columns"));
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

QTEST_GUILESS_MAIN(TestJetRows)
#include "test_jet_rows.moc"
