// The three tables, the computation and the risk level words.

#include "RiskLevel.h"
#include "Scoring.h"

#include <QFile>
#include <QTest>

using scoring::ComputedScores;
using scoring::PostureInputs;

Q_DECLARE_METATYPE(PostureInputs)
Q_DECLARE_METATYPE(ComputedScores)

namespace {

constexpr int NoValue = -1;

int lookup(char table, const QList<int>& at)
{
    std::optional<std::int16_t> value;
    if (table == 'A')
        value = scoring::tableA(at[0], at[1], at[2]);
    else if (table == 'B')
        value = scoring::tableB(at[0], at[1], at[2]);
    else
        value = scoring::tableC(at[0], at[1]);
    return value ? *value : NoValue;
}

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT

private slots:
    // Every cell of tables A, B and C, and the reads just outside them, from tests/data.
    void tables_data()
    {
        QTest::addColumn<char>("table");
        QTest::addColumn<QList<int>>("at");
        QTest::addColumn<int>("expected");
        QFile file(QStringLiteral(VESK_TEST_DATA "/score-tables.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int cells = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QStringList p = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
            if (p.isEmpty() || p[0] == u'#')
                continue;
            const char table = p[0][0].toLatin1();
            if (p.size() > 3 && p[p.size() - 2] == u'=') { // one read: "T x y [z] = value"
                QList<int> at;
                for (qsizetype i = 1; i + 2 < p.size(); ++i)
                    at << p[i].toInt();
                QTest::addRow("%s", line.constData())
                    << table << at << (p.last() == u'-' ? NoValue : p.last().toInt());
                continue;
            }
            // A row "T r: cells". Columns of A: neck, legs within it; of B: lower arm, wrist
            // within it; of C: Score B.
            const int inner = table == 'A' ? 4 : 2;
            for (int c = 0; c + 2 < p.size(); ++c, ++cells) {
                QList<int> at{p[1].chopped(1).toInt()};
                at << (table == 'C' ? QList<int>{c + 1} : QList<int>{c / inner + 1, c % inner + 1});
                QTest::addRow("%c %d %d %d", table, at[0], at[1], at.value(2))
                    << table << at << p[c + 2].toInt();
            }
        }
        QCOMPARE(cells, 5 * 12 + 6 * 4 + 12 * 12);
    }

    void tables()
    {
        QFETCH(char, table);
        QFETCH(QList<int>, at);
        QFETCH(int, expected);
        QCOMPARE(lookup(table, at), expected);
    }

    void computation_data()
    {
        QTest::addColumn<PostureInputs>("in");
        QTest::addColumn<ComputedScores>("expected");
        QTest::newRow("worked example") << PostureInputs{3, 2, 2, 1, 2, 1, 2, 3, 2, 1, 1, 2}
                                        << ComputedScores{5, 6, 2, 4, 3, 5, 6, 8, 8, 10};
        QTest::newRow("smallest") << PostureInputs{1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0}
                                  << ComputedScores{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("largest") << PostureInputs{5, 3, 4, 3, 6, 2, 2, 6, 2, 2, 3, 3}
                                 << ComputedScores{9, 12, 9, 9, 12, 12, 12, 12, 15, 15};
    }

    void computation()
    {
        QFETCH(PostureInputs, in);
        QFETCH(ComputedScores, expected);
        QCOMPARE(scoring::computeScores(in), expected);
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
