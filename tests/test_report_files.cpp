// The writer of both files and the safe-write primitive under it: a fault at every step, a kill
// at every step, planted links, linked and dangling databases, refused and very long names.

#include "ReadBack.h"
#include "ReportFiles.h"
#include "SafeWrite.h"
#include "SafeWriteFaults.h"
#include "TextReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Base = QStringLiteral("Bench VESK Analysis");
const QString NothingLost =
    QStringLiteral("Nothing has been lost: choose another folder or name and save again.");

report::ReportTable fields(const char* name)
{
    report::ReportTable table;
    for (int k = 0; k < report::FieldCount; ++k)
        table[k] = k % 2 ? TaggedValue(std::int16_t(k)) : TaggedValue("Caption");
    table[report::EmployeeName] = name;
    return table;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
}

// A folder holding an old pair of files.
struct OldPair
{
    QTemporaryDir dir;
    QString database = dir.filePath(Base + ".mdb");
    QString report = dir.filePath(Base + ".txt");
    OldPair()
    {
        put(database, "old mdb");
        put(report, "old txt");
    }
    bool intact() const
    {
        return readAll(database) == "old mdb" && readAll(report) == "old txt" &&
               entries(dir.path()) == QStringList{Base + ".mdb", Base + ".txt"};
    }
    bool isNew(const char* name) const
    {
        return readAll(report) == QByteArray::fromStdString(textReport(fields(name))) &&
               readAll(database).startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)) &&
               entries(dir.path()) == QStringList{Base + ".mdb", Base + ".txt"};
    }
};

// The steps of a save over an old pair, with `setUp` applied to the faults first.
QStringList stepsOfASave(const std::function<void(safewrite::Faults&)>& setUp = {})
{
    OldPair pair;
    safewrite::Faults faults;
    if (setUp)
        setUp(faults);
    reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
    QStringList steps;
    for (const std::string& step : faults.steps())
        steps << QString::fromStdString(step);
    return steps;
}

} // namespace

class TestReportFiles : public QObject
{
    Q_OBJECT

private slots:
    void writesBothFiles()
    {
        OldPair pair;
        const reportfiles::SaveResult result =
            reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
        QVERIFY2(result.saved, qPrintable(result.failure));
        QVERIFY(pair.isNew("Anna"));
        const std::vector<readback::Table> tables = readback::mdbReader(pair.database);
        QCOMPARE(tables.size(), std::size_t(2));
        QCOMPARE(tables[0].rows.value(0).value(2), QStringLiteral("5"));
        QCOMPARE(tables[1].rows.value(0).value(0), QStringLiteral("Anna"));
    }

    // A fault at each step in turn: the old pair stays byte for byte, nothing else is left,
    // and the messages say what failed, where, why, and what is on disk.
    void faultAtEachStep_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("step fails") << "fails";
        QTest::newRow("short write, then the disk is full") << "full";
        QTest::newRow("short write, then the rest") << "short";
    }

    void faultAtEachStep()
    {
        QFETCH(QString, kind);
        const QStringList steps = stepsOfASave();
        QVERIFY(steps.size() >= 16);
        for (int n = 1; n <= steps.size(); ++n) {
            if (kind != "fails" && steps[n - 1] != "write")
                continue;
            const QString at = QStringLiteral("step %1 (%2)").arg(n).arg(steps[n - 1]);
            OldPair pair;
            reportfiles::SaveResult result;
            {
                safewrite::Faults faults;
                if (kind == "fails") {
                    faults.failStep(n, ENOSPC);
                } else {
                    faults.shortWrite(n, 5);
                    if (kind == "full")
                        faults.shortWrite(n + 1, 0);
                }
                result = reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
            }
            if (kind == "short" || (result.saved && steps[n - 1] == "remove")) {
                // A partial write is continued; a kept old file that stays after both new
                // files are in place is removed by the next save.
                QVERIFY2(result.saved, qPrintable(at + ": " + result.failure));
                QVERIFY(reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna")).saved);
                QVERIFY2(pair.isNew("Anna"), qPrintable(at));
                continue;
            }
            QVERIFY2(!result.saved, qPrintable(at));
            QVERIFY2(pair.intact(), qPrintable(at + ": " + entries(pair.dir.path()).join(", ")));
            QVERIFY2(result.failure.contains(QRegularExpression(
                         "^Could not [a-z ]+ \"" + QRegularExpression::escape(pair.dir.path()) +
                         "(/" + Base + "\\.(mdb|txt))?\": No space left on device$")),
                     qPrintable(at + ": " + result.failure));
            QCOMPARE(result.onDisk, NothingLost);
        }
    }

    // A kill at each step: the next save under the name finds a consistent pair (old or new)
    // even when it fails itself, and the one after that leaves exactly its two files.
    void killAtEachStep()
    {
        const int count = int(stepsOfASave().size());
        for (int n = 1; n <= count; ++n) {
            OldPair pair;
            const pid_t child = fork();
            if (child == 0) {
                safewrite::Faults faults;
                faults.killAt(n);
                reportfiles::writeBoth(pair.dir.path(), Base, fields("Killed"));
                _exit(1);
            }
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QCOMPARE(WEXITSTATUS(status), 0);
            // This save puts back what the killed one left, then fails on its too long name.
            const QString where = QStringLiteral("kill at step %1").arg(n);
            const QByteArray tooLong(201, 'x');
            QVERIFY(!reportfiles::writeBoth(pair.dir.path(), Base, fields(tooLong)).saved);
            QVERIFY2(pair.intact() || pair.isNew("Killed"), qPrintable(where));
            QVERIFY(reportfiles::writeBoth(pair.dir.path(), Base, fields("Last")).saved);
            QVERIFY2(pair.isNew("Last"), qPrintable(where));
        }
    }
};

QTEST_GUILESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
