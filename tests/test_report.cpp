// The report table as the windows fill it, the option table behind it, and the text report made
// from it in Windows-1252.

#include "Module1.h"
#include "OptionTable.h"
#include "RiskLevel.h"
#include "TextReport.h"
#include "Windows1252.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray dataFile(const QString& name)
{
    QFile file(QStringLiteral(VESK_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing data file %s", qPrintable(name));
    return file.readAll();
}

// The lines of a data file without its comments, split at blanks.
QList<QStringList> dataRows(const QString& name)
{
    QList<QStringList> rows;
    for (const QByteArray& line : dataFile(name).split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            rows << QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
    }
    return rows;
}

QString text(std::string_view v)
{
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

// One assessment as the posture selection window leaves it: the twelve input scores in the order
// of Module1 (trunk, neck, legs, right upper arm, left upper arm, right lower arm, left lower arm,
// left wrist, right wrist, load, coupling, activity) and the drawings whose frames are red.
struct Assessment
{
    std::array<std::int16_t, 12> scores;
    std::vector<const char*> chosen;
};

// Left 8 and right 10, both "High".
const Assessment WorkedExample{{3, 2, 2, 3, 2, 2, 1, 2, 1, 1, 1, 2},
                               {"trunk3", "neck2", "leg2", "Image9", "Image104", "Image1", "Image3",
                                "Image98", "Image110", "Image6", "Image8", "Image15", "Image17"}};
// Left 3 "Low" and right 8 "High".
const Assessment LowAndHigh{{1, 2, 3, 6, 2, 2, 1, 1, 2, 0, 3, 0},
                            {"trunk1", "neck2", "leg2", "leg3", "Image99", "Image100", "Image101",
                             "Image104", "Image110", "Image1", "Image5", "Image4", "Image10",
                             "Image14"}};

// Runs View Results, Risk Levels and the writer's completion of the table, as the windows do.
void fill(const Assessment& a)
{
    using M = Module1;
    std::int16_t* inputs[] = {
        &M::TrunkScore,         &M::NeckScore,          &M::LegsScore,
        &M::UpperRightArmScore, &M::UpperLeftArmScore,  &M::LowerRightArmScore,
        &M::LowerLeftArmScore,  &M::LeftWristScore,     &M::RightWristScore,
        &M::LoadForceScore,     &M::CouplingScoreValue, &M::ActivityScoreValue};
    for (std::size_t i = 0; i < a.scores.size(); ++i)
        *inputs[i] = a.scores[i];
    computeResults();
    publishInputScores();
    auto word = [](std::int16_t score) { return text(scoring::riskLevelWord(score).value_or("")); };
    publishRiskLevels(word(M::LeftVESKScore), word(M::RightVESKScore));

    std::array<bool, report::OptionCount> states{};
    for (const char* drawing : a.chosen)
        states[optionIndexByDrawing(drawing)] = true;
    completeReport(states);
}

} // namespace

Q_DECLARE_METATYPE(const Assessment*)

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void init() { Module1::reset(); }

    // The golden files come from tools/make-golden-reports.py, which works without this code.
    void goldenReports_data()
    {
        QTest::addColumn<const Assessment*>("assessment");
        QTest::addColumn<QStringList>("employee"); // as typed; none when never confirmed
        QTest::addColumn<QString>("goldenFile");
        QTest::newRow("full") << &WorkedExample
                              << QStringList{"Anna Smith", "E-1234", "Line 3, Hall B"}
                              << "report-full.txt";
        QTest::newRow("details never confirmed")
            << &WorkedExample << QStringList() << "report-no-employee.txt";
        QTest::newRow("empty name")
            << &WorkedExample << QStringList{"", "E7", "Hall B"} << "report-empty-name.txt";
        QTest::newRow("outside Windows-1252")
            << &WorkedExample
            << QStringList{QStringLiteral("Zoë Dvořák"), QStringLiteral("€42"),
                           QStringLiteral("東京 plant \U0001F600")}
            << "report-non-ascii.txt";
        QTest::newRow("left Low, right High")
            << &LowAndHigh
            << QStringList{"D'Souza", "0'42",
                           QStringLiteral("Bay \"C\"\u00A0\u2013 north \u2022 2½")}
            << "report-low-high.txt";
    }

    void goldenReports()
    {
        QFETCH(const Assessment*, assessment);
        QFETCH(QStringList, employee);
        QFETCH(QString, goldenFile);
        if (!employee.isEmpty())
            storeEmployeeDetails(employee[0], employee[1], employee[2]);
        fill(*assessment);
        QCOMPARE(QByteArray::fromStdString(textReport(Module1::ReportFields)),
                 dataFile(goldenFile));
    }

    // At most 100 apostrophes go; typographic quotes and other marks stay.
    void removeApostrophes()
    {
        QCOMPARE(RemoveApostrophes(TaggedValue(QString(100, u'\'') + "ab")), "ab");
        QCOMPARE(RemoveApostrophes(TaggedValue("a" + QString(101, u'\'') + "b")), "a'b");
        const QString marks = QStringLiteral("\u2018a\u2019 \u201Cb\u201D \"c\" `d`");
        QCOMPARE(RemoveApostrophes(TaggedValue(marks)), marks);
    }

    // Every option against tests/data/options.txt; chosen, it writes its caption and "True" at
    // its own entries.
    void options_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("row");
        const QList<QStringList> rows = dataRows(QStringLiteral("options.txt"));
        QCOMPARE(rows.size(), qsizetype(Options.size()));
        for (int k = 0; k < rows.size(); ++k)
            QTest::addRow("%s", qPrintable(rows[k][10])) << k << rows[k];
    }

    void options()
    {
        QFETCH(int, index);
        QFETCH(QStringList, row);
        static constexpr const char* Regions[RegionCount] = {
            "trunk",           "neck",           "legs",        "upper-arm-right", "upper-arm-left",
            "lower-arm-right", "lower-arm-left", "wrist-right", "wrist-left",      "load-force",
            "coupling",        "activity"};
        static constexpr const char* Kinds[] = {"base", "adjustment", "knee", "toggle"};
        const OptionSpec& o = Options[std::size_t(index)];
        const TwipsRect& r = o.frameRect;
        QStringList actual;
        for (int n : {report::FirstOptionEntry + 2 * index, o.option, int(o.value), o.tab + 1,
                      r.left, r.top, r.width, r.height})
            actual << QString::number(n);
        actual << QString::fromLatin1(Regions[int(o.region)]) << text(o.frame) << text(o.drawing)
               << QString::fromLatin1(Kinds[int(o.kind)]) << text(o.caption);
        QCOMPARE(actual.join(u' '), row.join(u' '));
        QCOMPARE(optionIndexByDrawing(o.drawing), index);

        std::array<bool, report::OptionCount> states{};
        states[std::size_t(index)] = true;
        completeReport(states);
        const int entry = row[0].toInt();
        QCOMPARE(Module1::ReportFields[entry], TaggedValue(row.mid(12).join(u' ')));
        QCOMPARE(Module1::ReportFields[entry + 1], TaggedValue("True"));
    }

    // Every character of the Basic Multilingual Plane and a few beyond: the 256 of the code page
    // (tests/data/windows-1252.txt) become their byte, every other code point one "?".
    void windows1252()
    {
        QHash<char32_t, char> bytes;
        for (const QStringList& row : dataRows(QStringLiteral("windows-1252.txt"))) {
            for (int i = 1; i < 17; ++i)
                bytes.insert(row[i].toUInt(nullptr, 16),
                             char(row[0].chopped(1).toUInt(nullptr, 16) + i - 1));
        }
        QCOMPARE(bytes.size(), 256);

        QList<char32_t> codePoints;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c < 0xD800 || c > 0xDFFF)
                codePoints << c;
        }
        codePoints << 0x10000 << 0x1F600 << 0x10FFFF;
        const std::string written =
            toWindows1252(QString::fromUcs4(codePoints.constData(), codePoints.size()));
        QCOMPARE(written.size(), std::size_t(codePoints.size()));
        for (qsizetype i = 0; i < codePoints.size(); ++i) {
            if (written[std::size_t(i)] != bytes.value(codePoints[i], '?'))
                QFAIL(qPrintable(
                    QStringLiteral("U+%1").arg(uint(codePoints[i]), 4, 16, QChar(u'0'))));
        }
        // A lone surrogate is one character outside the code page too.
        QCOMPARE(toWindows1252(QString(QChar(0xD800)) + QChar(0xDC00) + QChar(0xDC00) + u'a'),
                 std::string("??a"));
    }
};

QTEST_APPLESS_MAIN(TestReport)
#include "test_report.moc"
