// The report table as the windows fill it, and the text report made from it.

#include "Module1.h"
#include "OptionTable.h"
#include "TextReport.h"

#include <QFile>
#include <QTest>

#include <sstream>

namespace {

QByteArray golden(const QString& name)
{
    QFile file(QStringLiteral(VESK_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(name));
    return file.readAll();
}

// The worked example: left final score 8, right 10, both "High".
void fillWorkedExample()
{
    using M = Module1;
    M::TrunkScore = 3, M::NeckScore = 2, M::LegsScore = 2, M::LoadForceScore = 1;
    M::UpperLeftArmScore = 2, M::LowerLeftArmScore = 1, M::LeftWristScore = 2;
    M::UpperRightArmScore = 3, M::LowerRightArmScore = 2, M::RightWristScore = 1;
    M::CouplingScoreValue = 1, M::ActivityScoreValue = 2;
    computeResults();
    publishInputScores();
    publishRiskLevels(QStringLiteral("High"), QStringLiteral("High"));

    const char* chosen[] = {"trunk3", "neck2",   "leg2",    "Image9",   "Image104",
                            "Image1", "Image3",  "Image98", "Image110", "Image6",
                            "Image8", "Image15", "Image17"};
    std::array<bool, report::OptionCount> states{};
    for (const char* drawing : chosen)
        states[optionIndexByDrawing(drawing)] = true;
    completeReport(states);
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void init() { Module1::reset(); }

    void goldenReports_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("goldenFile");
        QTest::newRow("full") << true << "Anna Smith"
                              << "E-1234"
                              << "Line 3, Hall B"
                              << "report-full.txt";
        QTest::newRow("details never confirmed") << false << ""
                                                 << ""
                                                 << ""
                                                 << "report-no-employee.txt";
        QTest::newRow("empty name") << true << ""
                                    << "E7"
                                    << "Hall B"
                                    << "report-empty-name.txt";
        QTest::newRow("outside Windows-1252")
            << true << QStringLiteral("Zoë Dvořák") << QStringLiteral("€42")
            << QStringLiteral("東京 plant \U0001F600") << "report-non-ascii.txt";
    }

    void goldenReports()
    {
        QFETCH(bool, confirmed);
        QFETCH(QString, name);
        QFETCH(QString, id);
        QFETCH(QString, location);
        QFETCH(QString, goldenFile);
        if (confirmed)
            storeEmployeeDetails(name, id, location);
        fillWorkedExample();

        std::ostringstream stream;
        writeTextReport(stream, Module1::ReportFields);
        const QByteArray written = QByteArray::fromStdString(stream.str());
        QCOMPARE(written, golden(goldenFile));
        QCOMPARE(written.count("\r\n"), 128);
        QVERIFY(written.endsWith("\r\n"));
        QCOMPARE(written.count('\n'), 128);
    }

    void valuesLandInTheirEntries()
    {
        fillWorkedExample();
        const auto& f = Module1::ReportFields;
        QCOMPARE(f[1], TaggedValue(std::int16_t(8)));
        QCOMPARE(f[3], TaggedValue("High"));
        QCOMPARE(f[5], TaggedValue(std::int16_t(2)));  // left upper arm
        QCOMPARE(f[15], TaggedValue(std::int16_t(3))); // right upper arm
        QCOMPARE(f[11], TaggedValue(std::int16_t(10)));
        QCOMPARE(f[21], TaggedValue(std::int16_t(3))); // trunk
        QCOMPARE(f[31], TaggedValue(std::int16_t(2))); // activity
        QCOMPARE(f[32], TaggedValue("Trunk - Option 1"));
        QCOMPARE(f[33], TaggedValue("False"));
        QCOMPARE(f[37], TaggedValue("True"));
        QCOMPARE(f[120], TaggedValue("Activity - Option 3"));
        QCOMPARE(f[126], TaggedValue("Employee Location:"));
        QVERIFY(f[127].isEmpty());
    }

    // A negative score is written as a number with its sign, never in quotes.
    void negativeIntegerLine()
    {
        Module1::ReportFields[5] = TaggedValue(std::int16_t(-1));
        const std::string text = textReport(Module1::ReportFields);
        QVERIFY(text.find("\r\n\r\n\r\n\r\n\r\n-1\r\n") == 0);
    }

    void removeApostrophes_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("none") << "Anna Smith"
                              << "Anna Smith";
        QTest::newRow("one between two letters") << "O'Neil"
                                                 << "ONeil";
        QTest::newRow("at both ends") << "'x'"
                                      << "x";
        QTest::newRow("100") << QString(100, QLatin1Char('\'')) + "ab"
                             << "ab";
        QTest::newRow("101 keeps the last") << "a" + QString(101, QLatin1Char('\'')) + "b"
                                            << "a'b";
        QTest::newRow("typographic and double quotes stay")
            << QStringLiteral("\u2018a\u2019 \u201Cb\u201D \"c\" `d`")
            << QStringLiteral("\u2018a\u2019 \u201Cb\u201D \"c\" `d`");
        QTest::newRow("empty") << ""
                               << "";
    }

    void removeApostrophes()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(RemoveApostrophes(TaggedValue(in)), out);
    }

    void employeeTextsStoredWithoutApostrophes()
    {
        storeEmployeeDetails(QStringLiteral("D'Arcy"), QStringLiteral("1'2"), QString());
        QCOMPARE(Module1::EmployeeName, TaggedValue("DArcy"));
        QCOMPARE(Module1::ReportFields[123], TaggedValue("DArcy"));
        QCOMPARE(Module1::ReportFields[125], TaggedValue("12"));
        QVERIFY(Module1::ReportFields[127].isText());
        QCOMPARE(Module1::ReportFields[127].toText(), QString());
    }

    void optionTableIsConsistent()
    {
        QSet<QString> frames, drawings;
        for (const OptionSpec& option : Options) {
            frames.insert(QString::fromUtf8(option.frame));
            drawings.insert(QString::fromUtf8(option.drawing));
        }
        QCOMPARE(frames.size(), 45);
        QCOMPARE(drawings.size(), 45);
        for (const RequiredRegion& required : RequiredRegions) {
            const auto bases = std::count_if(Options.begin(), Options.end(), [&](const auto& o) {
                return o.region == required.region && o.kind == OptionKind::Base;
            });
            QVERIFY(bases >= 2);
        }
    }
};

QTEST_APPLESS_MAIN(TestReport)
#include "test_report.moc"
