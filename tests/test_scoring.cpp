// The three tables, the computation and the risk level words.

#include "RiskLevel.h"
#include "Scoring.h"

#include <QTest>

using scoring::ComputedScores;
using scoring::PostureInputs;

Q_DECLARE_METATYPE(PostureInputs)
Q_DECLARE_METATYPE(ComputedScores)

namespace {

PostureInputs inputs(int trunk, int neck, int legs, int load, int upperL, int lowerL, int wristL,
                     int upperR, int lowerR, int wristR, int coupling, int activity)
{
    auto s = [](int v) { return static_cast<std::int16_t>(v); };
    return {s(trunk),  s(neck),   s(legs),   s(load),   s(upperL),   s(lowerL),
            s(wristL), s(upperR), s(lowerR), s(wristR), s(coupling), s(activity)};
}

ComputedScores scores(int a, int sa, int pbl, int pbr, int sbl, int sbr, int scl, int scr, int fl,
                      int fr)
{
    auto s = [](int v) { return static_cast<std::int16_t>(v); };
    return {s(a), s(sa), s(pbl), s(pbr), s(sbl), s(sbr), s(scl), s(scr), s(fl), s(fr)};
}

// Reachable input ranges of one side: trunk, neck, legs, load, upper arm, lower arm, wrist,
// coupling, activity. An upper arm reaches 0 with option 1 and only "arm supported".
struct Range
{
    int low, high;
};
constexpr std::array<Range, 9> SideRanges{
    {{1, 5}, {1, 3}, {1, 4}, {0, 3}, {0, 6}, {1, 2}, {1, 2}, {0, 3}, {0, 3}}};

std::int16_t leftFinal(const std::array<int, 9>& v)
{
    return scoring::computeScores(
               inputs(v[0], v[1], v[2], v[3], v[4], v[5], v[6], 1, 1, 1, v[7], v[8]))
        .leftVESKScore;
}

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT

private slots:
    void computation_data()
    {
        QTest::addColumn<PostureInputs>("in");
        QTest::addColumn<ComputedScores>("expected");
        QTest::newRow("worked example")
            << inputs(3, 2, 2, 1, 2, 1, 2, 3, 2, 1, 1, 2) << scores(5, 6, 2, 4, 3, 5, 6, 8, 8, 10);
        QTest::newRow("smallest") << inputs(1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0)
                                  << scores(1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
        QTest::newRow("largest") << inputs(5, 3, 4, 3, 6, 2, 2, 6, 2, 2, 3, 3)
                                 << scores(9, 12, 9, 9, 12, 12, 12, 12, 15, 15);
        QTest::newRow("A: trunk 1 neck 3 legs 1")
            << inputs(1, 3, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0) << scores(3, 3, 1, 1, 1, 1, 2, 2, 2, 2);
        QTest::newRow("A: trunk 1 neck 3 legs 2 repeats 3")
            << inputs(1, 3, 2, 0, 1, 1, 1, 1, 1, 1, 0, 0) << scores(3, 3, 1, 1, 1, 1, 2, 2, 2, 2);
        QTest::newRow("A: trunk 5 neck 3 legs 3")
            << inputs(5, 3, 3, 0, 1, 1, 1, 1, 1, 1, 0, 0) << scores(9, 9, 1, 1, 1, 1, 9, 9, 9, 9);
        QTest::newRow("A: trunk 5 neck 3 legs 4 repeats 9")
            << inputs(5, 3, 4, 0, 1, 1, 1, 1, 1, 1, 0, 0) << scores(9, 9, 1, 1, 1, 1, 9, 9, 9, 9);
        QTest::newRow("no activity: final equals Score C")
            << inputs(2, 1, 1, 0, 4, 2, 2, 3, 1, 1, 2, 0) << scores(2, 2, 6, 3, 8, 5, 6, 4, 6, 4);
    }

    void computation()
    {
        QFETCH(PostureInputs, in);
        QFETCH(ComputedScores, expected);
        QCOMPARE(scoring::computeScores(in), expected);
    }

    void sidesWithSameArmsScoreAlike()
    {
        for (int upper = 0; upper <= 6; ++upper) {
            for (int lower = 1; lower <= 2; ++lower) {
                for (int wrist = 1; wrist <= 2; ++wrist) {
                    const auto out = scoring::computeScores(
                        inputs(2, 2, 2, 1, upper, lower, wrist, upper, lower, wrist, 1, 1));
                    QCOMPARE(out.leftPostureScoreB, out.rightPostureScoreB);
                    QCOMPARE(out.leftVESKScore, out.rightVESKScore);
                }
            }
        }
    }

    // An upper arm of 0 is read as row 1 of table B whatever an earlier computation left.
    void upperArmZeroReadsAsRowOne()
    {
        const ComputedScores stale = scores(9, 12, 9, 9, 12, 12, 12, 12, 15, 15);
        const auto zero = scoring::computeScores(inputs(3, 2, 2, 1, 0, 2, 2, 0, 1, 1, 1, 2), stale);
        const auto one = scoring::computeScores(inputs(3, 2, 2, 1, 1, 2, 2, 1, 1, 1, 1, 2));
        QCOMPARE(zero, one);
        QCOMPARE(zero.leftPostureScoreB, std::int16_t(2));
        QCOMPARE(zero.rightPostureScoreB, std::int16_t(1));
    }

    void lookupOutsideATableKeepsThePreviousValue()
    {
        const ComputedScores previous = scores(4, 5, 6, 7, 8, 9, 10, 11, 12, 13);
        // No base choice anywhere: every lookup misses, every sum follows the stale values.
        const auto out = scoring::computeScores(PostureInputs{}, previous);
        QCOMPARE(out.postureScoreA, previous.postureScoreA);
        QCOMPARE(out.leftPostureScoreB, previous.leftPostureScoreB);
        QCOMPARE(out.scoreA, std::int16_t(4));
        QVERIFY(!scoring::tableA(0, 1, 1));
        QVERIFY(!scoring::tableB(7, 1, 1));
        QVERIFY(!scoring::tableC(13, 1));
        QVERIFY(!scoring::tableC(1, 0));
    }

    // Over every reachable combination of one side's inputs: the final score lies in 1-15 and
    // never falls when any single input rises. A mistyped table cell breaks one of the two.
    void finalScoreIsBoundedAndMonotonic()
    {
        std::array<int, 9> v{};
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = SideRanges[i].low;
        long combinations = 0;
        for (;;) {
            const std::int16_t final = leftFinal(v);
            if (final < 1 || final > 15)
                QFAIL(qPrintable(QStringLiteral("final score %1 out of range").arg(final)));
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (v[i] == SideRanges[i].high)
                    continue;
                auto raised = v;
                ++raised[i];
                if (leftFinal(raised) < final)
                    QFAIL(qPrintable(QStringLiteral("final score falls when input %1 rises from %2")
                                         .arg(i)
                                         .arg(v[i])));
            }
            ++combinations;
            std::size_t digit = 0;
            while (digit < v.size() && v[digit] == SideRanges[digit].high)
                v[digit] = SideRanges[digit].low, ++digit;
            if (digit == v.size())
                break;
            ++v[digit];
        }
        QCOMPARE(combinations, 5L * 3 * 4 * 4 * 7 * 2 * 2 * 4 * 4);
    }

    void riskLevelWords_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("word");
        const std::pair<int, const char*> rows[] = {
            {-32768, ""},      {-1, ""},          {0, ""},       {1, "Negligible"}, {2, "Low"},
            {3, "Low"},        {4, "Medium"},     {7, "Medium"}, {8, "High"},       {10, "High"},
            {11, "Very High"}, {15, "Very High"}, {16, ""},      {32767, ""},
        };
        for (const auto& [score, word] : rows)
            QTest::addRow("%d", score) << score << QString::fromLatin1(word);
    }

    void riskLevelWords()
    {
        QFETCH(int, score);
        QFETCH(QString, word);
        const auto result = scoring::riskLevelWord(static_cast<std::int16_t>(score));
        QCOMPARE(result.has_value(), !word.isEmpty());
        if (result)
            QCOMPARE(QString::fromUtf8(result->data(), qsizetype(result->size())), word);
    }
};

QTEST_APPLESS_MAIN(TestScoring)
#include "test_scoring.moc"
