// The file image: the reference hashes, and the page structure for other table sets.

#include "IndexKey.h"
#include "SampleDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

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

    // close() writes exactly what bytes() shows, and that is the reference file.
    void referenceHash()
    {
        QFETCH(bool, withEmployee);
        QFETCH(QByteArray, sha256);
        QTemporaryDir dir;
        jet::Database database =
            sample::assessment(dir.filePath("a.mdb").toStdString(), withEmployee);
        const std::vector<std::uint8_t> image = database.bytes();
        database.close();
        QFile file(dir.filePath("a.mdb"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QCOMPARE(written.toHex(), hex(image));
        QCOMPARE(QCryptographicHash::hash(written, QCryptographicHash::Sha256).toHex(), sha256);
    }

    void indexKey()
    {
        const struct
        {
            std::int32_t parent;
            const char16_t* name;
            const char* key;
        } cases[] = {
            {16, nullptr, "7f80000010"},
            {0x0F000001, nullptr, "7f8f000001"},
            {INT32_MIN, nullptr, "7f00000000"},
            {0x0F000001, u"VESKResult", "7f8f0000017f71516b5c69516b6f5e6d0100"},
            {0x0F000001, u"veskRESULT", "7f8f0000017f71516b5c69516b6f5e6d0100"},
            {0x0F000001, u"EmployeeDetails", "7f8f0000017f5160665e647651514f516d4a595e6b0100"},
            {1, u"Z09", "7f800000017f7836480100"}};
        for (const auto& [parent, name, key] : cases) {
            jet::IndexKey built;
            built.appendLong(parent);
            if (name)
                built.appendText(name);
            QCOMPARE(hex(built.bytes()), QByteArray(key));
        }
    }

    void pagePlan_data()
    {
        using Tables = std::vector<sample::TableSpec>;
        QTest::addColumn<Tables>("tables");
        QTest::newRow("no user table") << Tables{};
        QTest::newRow("empty table and three rows") << Tables{
            {"Empty", {"A"}, {}}, {"Three", {"A", "B"}, {{"1", "2"}, {"", ""}, {"x", "y"}}}};
        Tables many;
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
        QFETCH(std::vector<sample::TableSpec>, tables);
        QTemporaryDir dir;
        jet::Database database =
            jet::Database::create(dir.filePath("p.mdb").toStdString(), sample::referenceOptions());
        for (const sample::TableSpec& table : tables)
            sample::addTable(database, table);
        const std::vector<std::uint8_t> file = database.bytes();

        // The system pages, then per table its definition, usage map and data page. Data pages
        // name their table's definition, and their free space is the gap before the last row.
        const std::size_t pages = 16 + 3 * tables.size();
        QCOMPARE(file.size(), pages * kPage);
        std::vector<int> types{0, 1, 2, 2, 2, 2, 1, 4, 4, 4, 4, 4, 4, 4, 1, 1};
        for (std::size_t k = 0; k < tables.size(); ++k)
            types.insert(types.end(), {2, 1, 1});
        for (std::size_t p = 0; p < pages; ++p) {
            QCOMPARE(int(file[p * kPage]), types[p]);
            const std::uint32_t owner = p == 1                 ? 1
                                        : p == 14              ? 2
                                        : p == 15              ? 3
                                        : p > 16 && p % 3 == 0 ? std::uint32_t(p - 2)
                                                               : 0;
            if (types[p] != 1)
                continue;
            QCOMPARE(u32(file, p * kPage + 4), owner);
            const unsigned rows = u16(file, p * kPage + 12);
            const unsigned last = rows ? u16(file, p * kPage + 12 + 2 * rows) : unsigned(kPage);
            QCOMPARE(u16(file, p * kPage + 2), last - (14 + 2 * rows));
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
