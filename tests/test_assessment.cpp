// The assessment as a value: the click rules of the drawings and the scores they give, the
// option table behind them, and the report table and text report made from an assessment.

#include "Assessment.h"
#include "ReportFields.h"
#include "ReportReader.h"
#include "TestSupport.h"
#include "TextReport.h"
#include "Windows1252.h"

#include <QTest>

namespace {

// Left 3 "Low" and right 8 "High".
const QStringList LowAndHigh = {"trunk1",   "neck2",    "leg2",     "leg3",     "Image99",
                                "Image100", "Image101", "Image104", "Image110", "Image1",
                                "Image5",   "Image4",   "Image10",  "Image14"};

} // namespace

class TestAssessment : public QObject
{
    Q_OBJECT

private slots:
    // Sequences of clicks, the region score they leave and the drawings then chosen, from
    // tests/data/click-rules.txt.
    void clickRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("valueLabel");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("chosenFrames");
        for (const QStringList& f : dataRows(QStringLiteral("click-rules.txt"), u'|'))
            QTest::newRow(qPrintable(f[0]))
                << f[1].split(u' ') << f[2] << f[3].toInt() << f[4].split(u' ');
    }

    void clickRules()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, valueLabel);
        QFETCH(int, score);
        QFETCH(QStringList, chosenFrames);
        const Assessment assessment = assessmentOf(clicks);
        QStringList frames;
        for (int i = 0; i < OptionCount; ++i) {
            if (assessment.isChosen(i))
                frames << text(Options[std::size_t(i)].frame);
        }
        frames.sort();
        chosenFrames.sort();
        QCOMPARE(frames, chosenFrames);
        for (const ScoreDisplay& display : ScoreDisplays) {
            if (text(display.valueLabel) == valueLabel) {
                QCOMPARE(int(assessment.regionScore(display.region)), score);
                QCOMPARE(int(assessment.scores().input(display.region)), score);
            }
        }
    }

    // The regions still to choose, in the order they are checked: a region counts once one of
    // its base options is chosen, whatever its score.
    void missingRegions()
    {
        QCOMPARE(Assessment().missingRegions().size(), RequiredRegions.size());
        const Assessment partial =
            assessmentOf({"trunk5", "Image102", "Image10", "Image7", "leg4"});
        QStringList missing;
        for (const RequiredRegion& region : partial.missingRegions())
            missing << text(region.message).section(u' ', -1);
        QCOMPARE(missing, (QStringList{"Trunk", "Neck", "Legs", "(Right)", "(Left)", "(Right)",
                                       "(Left)", "(Right)", "(Left)"}));
        QVERIFY(assessmentOf(WorkedExample).missingRegions().empty());
        QVERIFY(!Assessment().hasAnyChoice() && partial.hasAnyChoice());
    }

    // The golden files come from tools/make-golden-reports.py, which works without this code.
    void goldenReports_data()
    {
        QTest::addColumn<QStringList>("drawings");
        QTest::addColumn<QStringList>("employee"); // as typed; none when never confirmed
        QTest::addColumn<QString>("goldenFile");
        QTest::newRow("full") << WorkedExample
                              << QStringList{"Anna Smith", "E-1234", "Line 3, Hall B"}
                              << "report-full.txt";
        QTest::newRow("details never confirmed")
            << WorkedExample << QStringList() << "report-no-employee.txt";
        QTest::newRow("empty name")
            << WorkedExample << QStringList{"", "E7", "Hall B"} << "report-empty-name.txt";
        QTest::newRow("outside Windows-1252")
            << WorkedExample
            << QStringList{QStringLiteral("Zoë Dvořák"), QStringLiteral("€42"),
                           QStringLiteral("東京 plant \U0001F600")}
            << "report-non-ascii.txt";
        QTest::newRow("left Low, right High")
            << LowAndHigh
            << QStringList{"D'Souza", "0'42",
                           QStringLiteral("Bay \"C\"\u00A0\u2013 north \u2022 2½")}
            << "report-low-high.txt";
    }

    void goldenReports()
    {
        QFETCH(QStringList, drawings);
        QFETCH(QStringList, employee);
        QFETCH(QString, goldenFile);
        Assessment assessment = assessmentOf(drawings);
        if (!employee.isEmpty())
            assessment.setEmployee(employee[0], employee[1], employee[2]);
        QCOMPARE(QByteArray::fromStdString(textReport(report::ReportFields(assessment))),
                 dataFile(goldenFile));
    }

    // Whatever two characters of the code page a name holds, the report the writer makes of it
    // reads back with that name, also where the bytes would read as UTF-8 too ("Ó’" is D3 92).
    void everyNameTheWriterCanWriteReadsBack()
    {
        QByteArray characters;
        for (int byte = 0x20; byte < 0x100; ++byte) {
            const QChar c = fromWindows1252(std::string(1, char(byte))).at(0);
            if (c.category() != QChar::Other_Control && c != u'\'')
                characters += char(byte);
        }
        QCOMPARE(characters.size(), 217); // the code page's 251 printable characters, less 1
        Assessment assessment = assessmentOf(WorkedExample);
        assessment.setEmployee(QStringLiteral("@@"), {}, {});
        const QByteArray report =
            QByteArray::fromStdString(textReport(report::ReportFields(assessment)));
        const qsizetype at = report.indexOf("\"@@\"") + 1;
        int read = 0;
        for (const char first : characters) {
            for (const char second : characters) {
                const QByteArray name{first, second};
                const auto back = report::parseReport(QByteArray(report).replace(at, 2, name));
                read += back.assessment &&
                        back.assessment->EmployeeName() == fromWindows1252(name.toStdString());
            }
        }
        QCOMPARE(read, characters.size() * characters.size());
    }

    // At most 100 apostrophes go; typographic quotes and other marks stay.
    void removeApostrophes()
    {
        QCOMPARE(RemoveApostrophes(QString(100, u'\'') + "ab"), "ab");
        QCOMPARE(RemoveApostrophes("a" + QString(101, u'\'') + "b"), "a'b");
        const QString marks = QStringLiteral("\u2018a\u2019 \u201Cb\u201D \"c\" `d`");
        QCOMPARE(RemoveApostrophes(marks), marks);
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

        Assessment assessment;
        assessment.choose(index);
        const report::ReportTable fields = report::ReportFields(assessment);
        const int entry = row[0].toInt();
        QCOMPARE(fields[entry], TaggedValue(row.mid(12).join(u' ')));
        QCOMPARE(fields[entry + 1], TaggedValue("True"));
    }

    // Every character of the Basic Multilingual Plane and a few beyond: the 256 of the code page
    // (tests/data/windows-1252.txt) become their byte, those Windows writes as a close character
    // (tests/data/windows-1252-best-fit.txt) that character, every other code point one "?".
    void windows1252()
    {
        QHash<char32_t, char> bytes;
        for (const QStringList& row : dataRows(QStringLiteral("windows-1252.txt"))) {
            for (int i = 1; i < 17; ++i)
                bytes.insert(row[i].toUInt(nullptr, 16),
                             char(row[0].chopped(1).toUInt(nullptr, 16) + i - 1));
        }
        QCOMPARE(bytes.size(), 256);
        // Characters outside the code page that Windows writes as a close one.
        for (const QStringList& row : dataRows(QStringLiteral("windows-1252-best-fit.txt")))
            bytes.insert(row[0].toUInt(nullptr, 16), char(row[1].toUInt(nullptr, 16)));
        QCOMPARE(bytes.size(), 256 + 441);

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

QTEST_APPLESS_MAIN(TestAssessment)
#include "test_assessment.moc"
