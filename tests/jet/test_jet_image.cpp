// The file image: the reference hashes, and the page structure for other table sets.

#include "IndexKey.h"
#include "Rc4.h"
#include "SampleDatabase.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t kPage = 4096;

unsigned u16(const std::vector<std::uint8_t>& file, std::size_t at)
{
    return unsigned(file[at]) | unsigned(file[at + 1]) << 8;
}

std::uint32_t u32(const std::vector<std::uint8_t>& file, std::size_t at)
{
    return std::uint32_t(u16(file, at)) | std::uint32_t(u16(file, at + 2)) << 16;
}

QByteArray hex(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex();
}

// Entries of an index leaf page, split where the entry-end bitmap says.
std::vector<std::vector<std::uint8_t>> leafEntries(const std::vector<std::uint8_t>& file,
                                                   std::uint32_t page)
{
    const std::size_t base = page * kPage;
    std::vector<std::vector<std::uint8_t>> entries;
    std::size_t start = 0x1E0;
    for (std::size_t bit = 1; 0x1E0 + bit <= kPage; ++bit) {
        if (file[base + 27 + bit / 8] & (1u << (bit % 8))) {
            entries.emplace_back(file.begin() + std::ptrdiff_t(base + start),
                                 file.begin() + std::ptrdiff_t(base + 0x1E0 + bit));
            start = 0x1E0 + bit;
        }
    }
    return entries;
}

struct TableSpec
{
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<TableSpec>)

class TestJetImage : public QObject
{
    Q_OBJECT

private slots:
    void referenceHash_data()
    {
        QTest::addColumn<bool>("withEmployee");
        QTest::addColumn<QByteArray>("sha256");
        QTest::newRow("VESKResult only")
            << false
            << QByteArray("37053ea38e72b32337d57c9dffad56c232e2225962f60e47987014d46cf01309");
        QTest::newRow("with EmployeeDetails")
            << true
            << QByteArray("23bf13aa4570d948149d53ea54ebe5df4107bb9cbfa07b315714989421196012");
    }

    void referenceHash()
    {
        QFETCH(bool, withEmployee);
        QFETCH(QByteArray, sha256);
        QTemporaryDir dir;
        const std::vector<std::uint8_t> image =
            sample::assessment(dir.filePath("a.mdb").toStdString(), withEmployee).bytes();
        QCOMPARE(image.size(), (withEmployee ? 22u : 19u) * kPage);
        const QByteArray data(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
        QCOMPARE(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex(), sha256);
    }

    // close() writes exactly what bytes() shows.
    void closeWritesTheImage()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("a.mdb").toStdString();
        jet::Database database = sample::assessment(path, true);
        const std::vector<std::uint8_t> image = database.bytes();
        database.close();
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in), {}};
        QVERIFY(written == image);
    }

    void rc4Keystream()
    {
        const std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
        std::vector<std::uint8_t> data(8, 0);
        jet::Rc4(key).apply(data);
        QCOMPARE(hex(data), QByteArray("b56f03626108c255"));
    }

    void indexKey_data()
    {
        QTest::addColumn<qint64>("parent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("long only") << qint64(16) << QString() << QByteArray("7f80000010");
        QTest::newRow("container id")
            << qint64(0x0F000001) << QString() << QByteArray("7f8f000001");
        QTest::newRow("most negative")
            << qint64(INT32_MIN) << QString() << QByteArray("7f00000000");
        QTest::newRow("VESKResult") << qint64(0x0F000001) << "VESKResult"
                                    << QByteArray("7f8f0000017f71516b5c69516b6f5e6d0100");
        QTest::newRow("case folded") << qint64(0x0F000001) << "veskRESULT"
                                     << QByteArray("7f8f0000017f71516b5c69516b6f5e6d0100");
        QTest::newRow("EmployeeDetails")
            << qint64(0x0F000001) << "EmployeeDetails"
            << QByteArray("7f8f0000017f5160665e647651514f516d4a595e6b0100");
        QTest::newRow("digits") << qint64(1) << "Z09" << QByteArray("7f800000017f7836480100");
    }

    void indexKey()
    {
        QFETCH(qint64, parent);
        QFETCH(QString, name);
        QFETCH(QByteArray, key);
        jet::IndexKey built;
        built.appendLong(std::int32_t(parent));
        if (!name.isNull())
            built.appendText(name.toStdU16String());
        QCOMPARE(hex(built.bytes()), key);
    }

    void pagePlan_data()
    {
        QTest::addColumn<std::vector<TableSpec>>("tables");
        QTest::newRow("no user table") << std::vector<TableSpec>{};
        QTest::newRow("assessment") << std::vector<TableSpec>{
            {"VESKResult", sample::resultColumns, {sample::resultValues}},
            {"EmployeeDetails", sample::employeeColumns, {sample::employeeValues}}};
        QTest::newRow("empty table and three rows") << std::vector<TableSpec>{
            {"Empty", {"A"}, {}}, {"Three", {"A", "B"}, {{"1", "2"}, {"", ""}, {"x", "y"}}}};
        std::vector<TableSpec> many;
        for (int k = 0; k < int(jet::Database::kMaxTables); ++k) {
            // Longest names, in an order that is not their sort order.
            std::string name =
                std::string(1, char('z' - k)) + std::string(62, 'q') + std::to_string(k % 10);
            many.push_back({name, {"A"}, {{name}}});
        }
        QTest::newRow("most tables, longest names") << many;
    }

    void pagePlan()
    {
        QFETCH(std::vector<TableSpec>, tables);
        QTemporaryDir dir;
        jet::Database database =
            jet::Database::create(dir.filePath("p.mdb").toStdString(), sample::referenceOptions());
        for (const TableSpec& table : tables)
            sample::addTable(database, table.name, table.columns, table.rows);
        const std::vector<std::uint8_t> file = database.bytes();

        const std::size_t pages = 16 + 3 * tables.size();
        QCOMPARE(file.size(), pages * kPage);
        std::vector<int> types{0, 1, 2, 2, 2, 2, 1, 4, 4, 4, 4, 4, 4, 4, 1, 1};
        std::vector<std::uint32_t> dataOwner(pages, 0);
        dataOwner[1] = 1;
        dataOwner[14] = 2;
        dataOwner[15] = 3;
        for (std::size_t k = 0; k < tables.size(); ++k) {
            types.insert(types.end(), {2, 1, 1});
            dataOwner[16 + 3 * k + 2] = std::uint32_t(16 + 3 * k);
        }
        for (std::size_t p = 0; p < pages; ++p) {
            const std::size_t base = p * kPage;
            QCOMPARE(int(file[base]), types[p]);
            if (types[p] != 1)
                continue;
            QCOMPARE(u32(file, base + 4), dataOwner[p]);
            // Rows lie back to back from the end of the page; the free-space field is the gap.
            const unsigned rows = u16(file, base + 12);
            unsigned end = kPage;
            for (unsigned r = 0; r < rows; ++r) {
                const unsigned start = u16(file, base + 14 + 2 * r);
                QVERIFY2(start < end && start >= 14 + 2 * rows, qPrintable(QString::number(p)));
                end = start;
            }
            QCOMPARE(u16(file, base + 2), end - (14 + 2 * rows));
        }
        // Global map: exactly the pages past the end are free.
        const std::size_t freeMap = kPage + u16(file, kPage + 14) + 5;
        for (std::size_t p = 0; p < 512; ++p)
            QCOMPARE(bool(file[freeMap + p / 8] & (1u << (p % 8))), p >= pages);

        // Both catalog indexes list every catalog row once, in ascending entry order; so does
        // the security index for its rows.
        const std::size_t catalogRows = 8 + tables.size();
        QCOMPARE(u16(file, 14 * kPage + 12), catalogRows);
        for (std::uint32_t page : {7u, 8u, 9u}) {
            const auto entries = leafEntries(file, page);
            QCOMPARE(entries.size(),
                     page == 9 ? std::size_t(u16(file, 15 * kPage + 12)) : catalogRows);
            for (std::size_t k = 1; k < entries.size(); ++k)
                QVERIFY(entries[k - 1] < entries[k]);
        }
        for (std::size_t k = 0; k < tables.size(); ++k)
            QCOMPARE(u32(file, (16 + 3 * k) * kPage + 16), std::uint32_t(tables[k].rows.size()));
    }
};

QTEST_GUILESS_MAIN(TestJetImage)
#include "test_jet_image.moc"
