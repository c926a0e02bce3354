// The INSERT statement: what it accepts, every way it is rejected (with the problem and its
// position, and nothing changed), table and column checks, and a fuzz loop.

#include "InsertParser.h"
#include "SampleDatabase.h"

#include <QTemporaryDir>
#include <QTest>

#include <QDir>

#include <optional>
#include <random>

namespace {

// Tables: T (A, B: Text 200), Small (S: Text 3), Wide (16 x Text 255).
jet::Database fixture(const std::filesystem::path& path)
{
    jet::Database database = jet::Database::create(path);
    jet::Table t("T");
    t.appendColumn("A");
    t.appendColumn("B");
    database.appendTable(std::move(t));
    jet::Table small("Small");
    small.appendColumn("S", 3);
    database.appendTable(std::move(small));
    jet::Table wide("Wide");
    for (int k = 0; k < 16; ++k)
        wide.appendColumn(std::string("W").append(std::to_string(k)), 255);
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

} // namespace

class TestJetStatements : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("plain") << QByteArray("INSERT INTO T VALUES ('a', 'b')") << "T"
                               << QStringList{"a", "b"};
        QTest::newRow("lower case, brackets, no spaces")
            << QByteArray("insert into[t]values('a','b')") << "t" << QStringList{"a", "b"};
        QTest::newRow("newlines and tabs")
            << QByteArray("\n\tInSeRt\r\nINTO\tT\nVALUES\n(\n'a'\t,\n'b'\n)\n") << "T"
            << QStringList{"a", "b"};
        QTest::newRow("semicolon")
            << QByteArray("INSERT INTO T VALUES ('a','b') ; ") << "T" << QStringList{"a", "b"};
        QTest::newRow("doubled apostrophes")
            << QByteArray("INSERT INTO T VALUES ('''', 'it''s ''x''')") << "T"
            << QStringList{"'", "it's 'x'"};
        QTest::newRow("empty values")
            << QByteArray("INSERT INTO T VALUES ('', '')") << "T" << QStringList{"", ""};
        QTest::newRow("SQL-looking value")
            << QByteArray("INSERT INTO T VALUES ('a'',''b)', ') VALUES (')") << "T"
            << QStringList{"a','b)", ") VALUES ("};
        QTest::newRow("full width, outside BMP")
            << QByteArray("INSERT INTO Small VALUES ('\U0001F600b')") << "Small"
            << QStringList{"\U0001F600b"};
        QTest::newRow("U+FEFF later in the value")
            << QByteArray("INSERT INTO Small VALUES ('a\uFEFF')") << "Small"
            << QStringList{"a\uFEFF"};
        QTest::newRow("largest row that fits")
            << QByteArray(wideRow(135).c_str()) << "Wide"
            << (QStringList(15, QString(125, 'w')) << QString(135, 'v'));
    }

    void accepted()
    {
        QFETCH(QByteArray, sql);
        QFETCH(QString, table);
        QFETCH(QStringList, values);
        const jet::InsertStatement parsed = jet::InsertParser(sql.toStdString()).parse();
        QCOMPARE(QString::fromStdString(parsed.table), table);
        QStringList parsedValues;
        for (const auto& value : parsed.values)
            parsedValues << QString::fromStdU16String(value);
        QCOMPARE(parsedValues, values);

        QTemporaryDir dir;
        jet::Database database = fixture(dir.filePath("a.mdb").toStdString());
        const auto before = database.bytes();
        database.execute(sql.toStdString());
        QVERIFY(database.bytes() != before);
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("position");
        const auto row = [](const char* name, const QByteArray& sql, const char* problem, int at) {
            QTest::newRow(name) << sql << QString(problem) << at;
        };
        row("unknown table", "INSERT INTO Foo VALUES ('a', 'b')", "unknown table 'Foo'", 13);
        row("unknown bracketed", "INSERT INTO [T ] VALUES ('a')", "unknown table 'T '", 13);
        row("too few values", "INSERT INTO T VALUES ('a')", "1 values given but the table has 2",
            13);
        row("too many values", "INSERT INTO T VALUES ('a','b','c')", "3 values given", 13);
        row("unterminated quote", "INSERT INTO T VALUES ('a', 'b)", "unterminated quoted value",
            28);
        row("unterminated at doubled", "INSERT INTO T VALUES ('a', 'b'')", "unterminated quoted",
            28);
        row("trailing text", "INSERT INTO T VALUES ('a','b') x", "unexpected text 'x'", 32);
        row("second semicolon", "INSERT INTO T VALUES ('a','b');;", "unexpected text ';'", 32);
        row("second statement", "INSERT INTO T VALUES ('a','b'); INSERT",
            "unexpected text 'INSERT'", 33);
        row("value too long", "INSERT INTO Small VALUES ('abcd')",
            "is 4 UTF-16 code units long, longer than the column's 3", 27);
        row("surrogate pair counts two", "INSERT INTO Small VALUES ('a\U0001F600b')",
            "is 4 UTF-16 code units long", 27);
        row("row too large", QByteArray(wideRow(136).c_str()), "row too large", 13);
        row("byte order mark", "INSERT INTO T VALUES ('\uFEFFabc', 'b')", "starts with U+FEFF", 23);
        row("invalid UTF-8", "INSERT INTO T VALUES ('\xC3\x28', 'b')", "invalid UTF-8", 24);
        row("overlong UTF-8", "INSERT INTO T VALUES ('a', '\xC0\xAF')", "invalid UTF-8", 29);
        row("UTF-8 surrogate", "INSERT INTO T VALUES ('\xED\xA0\x80', 'b')", "invalid UTF-8", 24);
        row("truncated UTF-8", "INSERT INTO T VALUES ('\u00e9', '\xE2\x82", "invalid UTF-8", 29);
        row("empty statement", "", "expected keyword INSERT but found the end", 1);
        row("other statement", "UPDATE T SET A = 'x'", "expected keyword INSERT but found 'UPDATE'",
            1);
        row("keywords run together", "INSERTINTO T VALUES ('a','b')", "expected keyword INSERT", 1);
        row("missing INTO", "INSERT T VALUES ('a','b')", "expected keyword INTO", 8);
        row("missing table", "INSERT INTO VALUES ('a','b')", "expected keyword VALUES", 20);
        row("missing table name", "INSERT INTO ('a','b')", "expected a table name", 13);
        row("empty brackets", "INSERT INTO [] VALUES ('a','b')", "empty table name", 13);
        row("unterminated bracket", "INSERT INTO [T VALUES ('a','b')", "unterminated [table name]",
            13);
        row("missing VALUES", "INSERT INTO T ('a','b')", "expected keyword VALUES but found '('",
            15);
        row("missing (", "INSERT INTO T VALUES 'a','b')", "expected '(' before the values", 22);
        row("missing )", "INSERT INTO T VALUES ('a','b'", "expected ',' or ')' after value 2", 30);
        row("missing comma", "INSERT INTO T VALUES ('a' 'b')", "expected ',' or ')' after value 1",
            27);
        row("unquoted value", "INSERT INTO T VALUES (a, 'b')", "expected a value in single quotes",
            23);
        row("double quotes", "INSERT INTO T VALUES (\"a\", \"b\")", "found '\"'", 23);
        row("no values", "INSERT INTO T VALUES ()", "expected a value in single quotes", 23);
        row("trailing comma", "INSERT INTO T VALUES ('a','b',)", "expected a value", 31);
        // A NUL in the statement does not cut the message short.
        row("NUL after the statement", QByteArray("INSERT INTO T VALUES ('a','b') \0", 33),
            "unexpected text '\\x00' after the statement", 32);
        row("NUL in a table name", QByteArray("INSERT INTO [T\0] VALUES ('a','b')", 33),
            "unknown table 'T\\x00'", 13);
        row("position in characters", "INSERT INTO T VALUES ('\u00e9\u00e9', 'b' x)",
            "expected ',' or ')' after value 2", 33);
    }

    void rejected()
    {
        QFETCH(QByteArray, sql);
        QFETCH(QString, problem);
        QFETCH(int, position);
        QTemporaryDir dir;
        const std::filesystem::path path = dir.filePath("r.mdb").toStdString();
        jet::Database database = fixture(path);
        const auto before = database.bytes();
        try {
            database.execute(sql.toStdString());
            QFAIL("accepted");
        } catch (const jet::Error& error) {
            const QString message = QString::fromUtf8(error.what());
            QVERIFY2(message.contains(problem), qPrintable(message));
            QVERIFY2(message.endsWith(" at position " + QString::number(position)),
                     qPrintable(message));
        }
        QVERIFY(database.bytes() == before);
        QVERIFY(!std::filesystem::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // Rows are taken while they fit the table's one data page, and refused after that
    // without any change; the rows taken are then written.
    void dataPageFills_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("problem");
        // 811-byte rows plus a 2-byte offset each in the 4082 bytes after the page header.
        QTest::newRow("wide rows fill the space")
            << QString(200, 'a') << 4082 / 813 << "the table's data page has 17 bytes left";
        QTest::newRow("small rows stop at 255") << "" << 255 << "holds at most 255 rows";
    }

    void dataPageFills()
    {
        QFETCH(QString, value);
        QFETCH(int, rows);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        jet::Database database = fixture(dir.filePath("f.mdb").toStdString());
        const std::string row = sample::insert("T", {value.toStdString(), value.toStdString()});
        for (int k = 0; k < rows; ++k)
            database.execute(row);
        const auto before = database.bytes();
        try {
            database.execute(row);
            QFAIL("accepted");
        } catch (const jet::Error& error) {
            QVERIFY2(QString(error.what()).contains(problem), error.what());
        }
        QVERIFY(database.bytes() == before);
        database.close();
    }

    void tableRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withColumn");
        QTest::addColumn<QString>("problem");
        QTest::newRow("duplicate") << "T" << true << "already has a table of that name";
        QTest::newRow("duplicate, other case") << "t" << true << "already has a table of that name";
        QTest::newRow("no columns") << "Fresh" << false << "has no columns";
        QTest::newRow("space") << "Employee Details" << true << "only ASCII letters and digits";
        QTest::newRow("accent") << "T\u00e9st" << true << "only ASCII letters and digits";
        QTest::newRow("hyphen") << "A-B" << true << "only ASCII letters and digits";
        QTest::newRow("digit first") << "1abc" << true << "does not start with a letter";
        QTest::newRow("empty") << "" << true << "is empty";
        QTest::newRow("65 characters") << QString(65, 'a') << true << "longer than 64";
        QTest::newRow("system prefix") << "msysThing" << true << "reserved for system tables";
    }

    void tableRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, withColumn);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        jet::Database database = fixture(dir.filePath("t.mdb").toStdString());
        const auto before = database.bytes();
        jet::Table table(name.toStdString());
        if (withColumn)
            table.appendColumn("A");
        try {
            database.appendTable(std::move(table));
            QFAIL("accepted");
        } catch (const jet::Error& error) {
            QVERIFY2(QString(error.what()).contains(problem), error.what());
        }
        QVERIFY(database.bytes() == before);
    }

    void tooManyTables()
    {
        QTemporaryDir dir;
        jet::Database database = jet::Database::create(dir.filePath("m.mdb").toStdString());
        for (std::size_t k = 0; k <= jet::Database::kMaxTables; ++k) {
            jet::Table table(std::string("T") + std::to_string(k));
            table.appendColumn("A");
            if (k < jet::Database::kMaxTables)
                database.appendTable(std::move(table));
            else
                QVERIFY_THROWS_EXCEPTION(jet::Error, database.appendTable(std::move(table)));
        }
    }

    void definitionTooLarge()
    {
        QTemporaryDir dir;
        jet::Database database = jet::Database::create(dir.filePath("d.mdb").toStdString());
        jet::Table table("Big");
        for (int k = 0; k < 40; ++k)
            table.appendColumn(std::to_string(k) + std::string(60, 'c'));
        try {
            database.appendTable(std::move(table));
            QFAIL("accepted");
        } catch (const jet::Error& error) {
            QVERIFY2(QString(error.what()).contains("more than one page holds"), error.what());
        }
    }

    void columnRefused_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << QByteArray("") << 200 << "is empty";
        QTest::newRow("leading space") << QByteArray(" A") << 200 << "starts with a space";
        QTest::newRow("dot") << QByteArray("a.b") << 200 << ". ! ` [ ]";
        QTest::newRow("bracket") << QByteArray("a]") << 200 << ". ! ` [ ]";
        QTest::newRow("control") << QByteArray("a\tb") << 200 << "control character";
        QTest::newRow("65 characters") << QByteArray(65, 'c') << 200 << "longer than 64";
        QTest::newRow("invalid UTF-8") << QByteArray("a\xFF") << 200 << "not valid UTF-8";
        QTest::newRow("duplicate, other case")
            << QByteArray("first") << 200 << "already has a column";
        QTest::newRow("duplicate, other case outside ASCII")
            << QByteArray("\u00e9CLAIR \u03c3") << 200 << "already has a column";
        QTest::newRow("byte order mark") << QByteArray("\uFEFFName") << 200 << "starts with U+FEFF";
        QTest::newRow("size 0") << QByteArray("B") << 0 << "outside 1..255";
        QTest::newRow("size 256") << QByteArray("B") << 256 << "outside 1..255";
    }

    void columnRefused()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, size);
        QFETCH(QString, problem);
        jet::Table table("T");
        table.appendColumn("First");
        table.appendColumn("\u00c9clair \u03a3");
        try {
            table.appendColumn(name.toStdString(), size);
            QFAIL("accepted");
        } catch (const jet::Error& error) {
            QVERIFY2(QString(error.what()).contains(problem), error.what());
        }
        QCOMPARE(table.columns().size(), std::size_t(2));
    }

    void quoteValueRoundTrips()
    {
        std::mt19937 random(7);
        const std::string alphabet = "a' ,()\xC3\xA9";
        for (int k = 0; k < 500; ++k) {
            std::string value;
            const int length = int(random() % 12);
            for (int c = 0; c < length; ++c) {
                const std::size_t pick = random() % 7;
                value += pick == 6 ? alphabet.substr(6, 2) : alphabet.substr(pick, 1);
            }
            const jet::InsertStatement parsed =
                jet::InsertParser(sample::insert("T", {value, "x"})).parse();
            QCOMPARE(QString::fromStdU16String(parsed.values[0]), QString::fromStdString(value));
        }
        QCOMPARE(jet::quoteValue("it's"), std::string("'it''s'"));
    }

    // Random, truncated and mutated statements: each is accepted or refused with Error,
    // never anything else, and the image can still be built afterwards.
    void fuzz()
    {
        std::mt19937 random(20240101);
        const std::vector<std::string> valid{
            "INSERT INTO T VALUES ('a', 'it''s')", "insert into [Small] values ('\xE2\x82\xAC')",
            "INSERT INTO T VALUES ('\xF0\x9F\x98\x80', '')", wideRow(100)};
        const std::string pieces[] = {"'",        "''",     "(",    ")",
                                      ",",        " ",      "[",    "]",
                                      ";",        "\xC3",   "\xA9", "\xEF\xBB\xBF",
                                      "\xF0\x9F", "INSERT", "T",    std::string(1, '\0')};
        QTemporaryDir dir;
        const std::filesystem::path path = dir.filePath("z.mdb").toStdString();
        std::optional<jet::Database> database;
        int accepted = 0;
        for (int k = 0; k < 4000; ++k) {
            if (k % 200 == 0)
                database.emplace(fixture(path));
            std::string sql = valid[random() % valid.size()];
            switch (random() % 4) {
            case 0: // truncated
                sql.resize(random() % (sql.size() + 1));
                break;
            case 1: // bytes replaced
                for (int m = int(random() % 4); m >= 0; --m)
                    sql[random() % sql.size()] = char(random() % 256);
                break;
            case 2: // pieces inserted or removed
                for (int m = int(random() % 4); m >= 0; --m) {
                    const std::size_t at = random() % (sql.size() + 1);
                    if (random() % 2)
                        sql.insert(at, pieces[random() % std::size(pieces)]);
                    else
                        sql.erase(at, random() % 4);
                }
                break;
            default: { // random bytes
                sql.resize(random() % 64);
                for (char& c : sql)
                    c = char(random() % 256);
            }
            }
            try {
                database->execute(sql);
                ++accepted;
            } catch (const jet::Error& error) {
                QVERIFY(QString(error.what()).startsWith("INSERT INTO"));
            }
            if (k % 50 == 0)
                QCOMPARE(database->bytes().size() % 4096, std::size_t(0));
        }
        QVERIFY(accepted > 0);
        QVERIFY(!std::filesystem::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestJetStatements)
#include "test_jet_statements.moc"
