// The file image against the reference hashes, and the dates in it.

#include "OleDate.h"
#include "SampleDatabase.h"

#include <QCryptographicHash>
#include <QTest>

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

    // The image is the reference file, byte for byte.
    void referenceHash()
    {
        QFETCH(bool, withEmployee);
        QFETCH(QByteArray, sha256);
        const std::vector<std::uint8_t> image = sample::assessment(withEmployee).bytes();
        const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                               qsizetype(image.size()));
        QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(), sha256);
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
