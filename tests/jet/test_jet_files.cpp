// Files written by the library, read back by readers nobody here wrote.

#include "ReadBack.h"
#include "SafeWrite.h"
#include "SampleDatabase.h"

#include <QTemporaryDir>

class TestJetFiles : public QObject
{
    Q_OBJECT

private slots:
    void readers_data()
    {
        using Tables = std::vector<sample::TableSpec>;
        QTest::addColumn<Tables>("tables");
        QTest::newRow("assessment") << Tables{sample::result, sample::employee};
        std::string outsideBmp;
        for (int k = 0; k < 100; ++k)
            outsideBmp += "\U0001F600";
        QTest::newRow("value kinds") << Tables{
            {"Kinds",
             {"Empty", "Full 200", "Accents / Latin", "CJK", "Apostrophes", "Full outside BMP"},
             {{"", std::string(200, 'x'), "\u00e0\u00e9\u00ee \u00c5\u0159\u00df \u20ac \U00010000",
               "\u738b\u5c0f\u660e", "O'Brien's ''x''", outsideBmp}}}};
    }

    void readers()
    {
        QFETCH(std::vector<sample::TableSpec>, tables);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("read back.mdb"));
        jet::Database database;
        std::vector<readback::Table> expected;
        for (const sample::TableSpec& table : tables) {
            sample::addTable(database, table);
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
        safewrite::writeFile(path.toStdString(), database.bytes());
        QCOMPARE(readback::mdbReader(path), expected);
        // mdbtools decodes text as UCS-2: what it makes of characters outside the BMP is left out.
        std::vector<readback::Table> read = readback::mdbTools(path);
        for (std::size_t t = 0; t < std::min(read.size(), expected.size()); ++t) {
            expected[t].columns.replaceInStrings(" text400", " Text (200)");
            for (qsizetype r = 0; r < std::min(read[t].rows.size(), expected[t].rows.size()); ++r)
                for (qsizetype c = 0;
                     c < std::min(read[t].rows[r].size(), expected[t].rows[r].size()); ++c)
                    if (expected[t].rows[r][c].contains(
                            QRegularExpression("[\\x{10000}-\\x{10ffff}]")))
                        read[t].rows[r][c] = expected[t].rows[r][c];
        }
        QCOMPARE(read, expected);
    }
};

QTEST_GUILESS_MAIN(TestJetFiles)
#include "test_jet_files.moc"
