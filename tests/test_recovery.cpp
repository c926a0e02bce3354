// The assessment in progress kept as a recovery: a run killed at any moment leaves a recovery
// that the next run finds whole, at most one click behind; a run that goes on is never offered.

#include "Recovery.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

// The clicks of the clicking run, over and over: drawings of every kind of click rule.
const QStringList Clicks = {"trunk5",  "trunk2", "neck3",   "leg3",    "leg3",   "Image102",
                            "Image97", "Image9", "Image12", "Image15", "trunk5", "leg1"};

Assessment afterClicks(int count)
{
    Assessment assessment;
    assessment.setEmployee(QStringLiteral("Łukasz Wiśniewski"), QStringLiteral("E-7"), {});
    for (int k = 0; k < count; ++k)
        assessment.choose(optionIndex(Clicks[k % Clicks.size()]));
    return assessment;
}

// The run that gets killed: clicks without end, keeping the recovery after each click, and says
// how many clicks are kept.
int clickingRun(const QString& folder)
{
    Recovery recovery(folder);
    for (int count = 0;; ++count) {
        if (!recovery.keep(afterClicks(count)))
            return 1;
        std::printf("%d\n", count);
        std::fflush(stdout);
    }
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    // 300 runs killed at random moments: the next run finds the assessment of the last click
    // the killed run said it kept, or of the click after it; never a broken or older one.
    void killedRunsLeaveTheirLastClick()
    {
        for (int kill = 0; kill < 300; ++kill) {
            QTemporaryDir folder;
            QProcess run;
            run.start(QCoreApplication::applicationFilePath(), {"--clicking", folder.path()});
            QVERIFY(run.waitForStarted());
            QThread::usleep(QRandomGenerator::global()->bounded(30000));
            run.kill();
            QVERIFY(run.waitForFinished());
            const QList<QByteArray> said = run.readAllStandardOutput().split('\n');
            const int kept = said.size() >= 2 ? said[said.size() - 2].toInt() : -1;

            Recovery next(folder.path());
            const std::vector<Recovery::Left> left = next.leftByEndedRuns();
            const QString where = QStringLiteral("kill %1 after click %2").arg(kill).arg(kept);
            QVERIFY2(left.size() == (kept >= 0 ? 1u : left.size()) && left.size() <= 1,
                     qPrintable(where));
            if (!left.empty())
                QVERIFY2(left[0].assessment == afterClicks(kept) ||
                             left[0].assessment == afterClicks(kept + 1),
                         qPrintable(where));
        }
    }

    // A run that goes on keeps its recovery to itself; one that ended is offered and can be
    // taken over or thrown away; a file that is not a whole recovery is never offered.
    void onlyEndedRunsAreOffered()
    {
        QTemporaryDir folder;
        Recovery running(folder.path());
        QVERIFY(running.keep(afterClicks(3)));
        {
            Recovery ended(folder.path());
            QVERIFY(ended.keep(afterClicks(5)));
        }
        const QString broken = folder.filePath("recovery-broken.txt");
        QVERIFY(writeFile(broken, "VESK recovery 1\nTrunk"));

        Recovery next(folder.path());
        const std::vector<Recovery::Left> left = next.leftByEndedRuns();
        QCOMPARE(left.size(), 1u);
        QVERIFY(left[0].assessment == afterClicks(5));
        QVERIFY(!QFile::exists(broken));
        next.throwAway(left[0].path);
        QVERIFY(!QFile::exists(left[0].path));
        running.discard();
        QCOMPARE(entriesOf(folder.path()), QStringList());
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--clicking")
        return clickingRun(QString::fromLocal8Bit(argv[2]));
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_recovery.moc"
