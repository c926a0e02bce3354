// The file image against the reference hashes, the keys of the catalog index, and dates.

#include "IndexKey.h"
#include "OleDate.h"
#include "SampleDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray hex(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex();
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

    // Dates are days since 1899-12-30, the time of day the fraction; either side of February.
    void oleDates()
    {
        QCOMPARE(jet::toOleDate(2024, 2, 29, 18, 0, 0), 45351.75);
        QCOMPARE(jet::toOleDate(2024, 3, 1, 0, 0, 0), 45352.0);
        QCOMPARE(jet::toOleDate(1900, 2, 28, 0, 0, 0), 60.0);
        QCOMPARE(jet::toOleDate(2100, 12, 31, 23, 59, 59), 73415 + 86399 / 86400.0);
    }
};

QTEST_GUILESS_MAIN(TestJetImage)
#include "test_jet_image.moc"
