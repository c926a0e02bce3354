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
    bool withFiles;
    explicit OldPair(bool files = true) : withFiles(files)
    {
        if (withFiles) {
            put(database, "old mdb");
            put(report, "old txt");
        }
    }
    bool intact() const
    {
        if (!withFiles)
            return entries(dir.path()).isEmpty();
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

// The steps of a save, over an old pair or into an empty folder.
QStringList stepsOfASave(bool oldFiles = true)
{
    OldPair pair(oldFiles);
    safewrite::Faults faults;
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
        QTest::addColumn<bool>("oldFiles");
        QTest::newRow("step fails") << "fails" << true;
        QTest::newRow("step fails, no old files") << "fails" << false;
        QTest::newRow("short write, then the disk is full") << "full" << true;
        QTest::newRow("short write, then the rest") << "short" << true;
    }

    void faultAtEachStep()
    {
        QFETCH(QString, kind);
        QFETCH(bool, oldFiles);
        const QStringList steps = stepsOfASave(oldFiles);
        QVERIFY(steps.size() >= (oldFiles ? 16 : 12));
        for (int n = 1; n <= steps.size(); ++n) {
            if (kind != "fails" && steps[n - 1] != "write")
                continue;
            const QString at = QStringLiteral("step %1 (%2)").arg(n).arg(steps[n - 1]);
            OldPair pair(oldFiles);
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

    // The primitive never creates through a name that exists, a planted link least of all.
    void creationIsExclusiveAndNeverFollowsALink_data()
    {
        QTest::addColumn<QString>("pointsTo");
        QTest::newRow("link to a file") << "victim";
        QTest::newRow("dangling link") << "nowhere";
    }

    void creationIsExclusiveAndNeverFollowsALink()
    {
        QFETCH(QString, pointsTo);
        QTemporaryDir dir;
        put(dir.filePath("victim"), "victim");
        QVERIFY(QFile::link(dir.filePath(pointsTo), dir.filePath(".x000000000000")));
        safewrite::Faults faults;
        faults.fixNames("000000000000");
        try {
            safewrite::NewFile::create(dir.path().toStdString(), ".x", "shown.mdb");
            QFAIL("created");
        } catch (const safewrite::Error& error) {
            QCOMPARE(QString(error.what()),
                     QStringLiteral("Could not create \"shown.mdb\": File exists"));
        }
        QCOMPARE(readAll(dir.filePath("victim")), QByteArray("victim"));
        QCOMPARE(entries(dir.path()), (QStringList{".x000000000000", "victim"}));
    }

    // Links planted at names of this save's kind and at the names of other writers are
    // never followed: the first are removed, the others stay, what they point at is untouched.
    void plantedLinks()
    {
        OldPair pair;
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim");
        put(victim, "victim");
        const QString prefix = QString::fromStdString(reportfiles::leftoverPrefix(Base));
        const QStringList others{Base + ".mdb.tmp", Base + ".txt.tmp", ".vesk"};
        for (const QString& name : QStringList{prefix + "d000000000000", prefix + "m000000000000",
                                               prefix + "t000000000000"} +
                                       others)
            QVERIFY(QFile::link(victim, pair.dir.filePath(name)));
        QVERIFY(reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna")).saved);
        QCOMPARE(readAll(victim), QByteArray("victim"));
        for (const QString& name : others)
            QVERIFY(QFileInfo(pair.dir.filePath(name)).isSymLink());
        QStringList files = entries(pair.dir.path());
        for (const QString& name : others)
            files.removeOne(name);
        QCOMPARE(files, (QStringList{Base + ".mdb", Base + ".txt"}));
    }

    // A linked database: a dangling link does not block a save; a failed save puts the link
    // back, not a copy, unless the file system has no hard links, and then says so.
    void linkedDatabase_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("linksWork");
        QTest::newRow("dangling link, save") << true << true;
        QTest::newRow("link, failed save") << false << true;
        QTest::newRow("link, no hard links, failed save") << false << false;
    }

    void linkedDatabase()
    {
        QFETCH(bool, dangling);
        QFETCH(bool, linksWork);
        QTemporaryDir dir, elsewhere;
        const QString target = elsewhere.filePath("real.mdb");
        if (!dangling)
            put(target, "real");
        const QString database = dir.filePath(Base + ".mdb");
        QVERIFY(QFile::link(target, database));
        const int link = int(stepsOfASave().indexOf("link")) + 1;
        const auto setUp = [&](safewrite::Faults& faults) {
            if (!linksWork)
                faults.failStep(link, EPERM);
        };
        QStringList steps;
        {
            QTemporaryDir scratch;
            QVERIFY(QFile::link(target, scratch.filePath(Base + ".mdb")));
            safewrite::Faults faults;
            setUp(faults);
            reportfiles::writeBoth(scratch.path(), Base, fields("Anna"));
            for (const std::string& step : faults.steps())
                steps << QString::fromStdString(step);
        }
        reportfiles::SaveResult result;
        {
            safewrite::Faults faults;
            setUp(faults);
            if (!dangling)
                faults.failStep(int(steps.lastIndexOf("rename")) + 1, EIO);
            result = reportfiles::writeBoth(dir.path(), Base, fields("Anna"));
        }
        QCOMPARE(result.saved, dangling);
        QCOMPARE(entries(dir.path()).size(), dangling ? 2 : 1);
        QCOMPARE(QFileInfo(database).isSymLink(), !dangling && linksWork);
        if (dangling)
            return;
        QCOMPARE(readAll(target), QByteArray("real"));
        QCOMPARE(readAll(database), QByteArray("real"));
        QCOMPARE(result.onDisk == NothingLost, linksWork);
        if (!linksWork)
            QVERIFY2(result.onDisk.contains("copy"), qPrintable(result.onDisk));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("255-byte file name") << "x" + QString(125, QChar(0xFC)) << "";
        QTest::newRow("slash") << "a/b"
                               << "cannot contain \"/\" or \"\\\"";
        QTest::newRow("backslash") << "a\\b"
                                   << "cannot contain \"/\" or \"\\\"";
        QTest::newRow("C0") << "a\x01b"
                            << "control characters";
        QTest::newRow("DEL") << "a\x7f"
                             << "control characters";
        QTest::newRow("C1") << "a\u0085"
                            << "control characters";
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const reportfiles::SaveResult result =
            reportfiles::writeBoth(dir.path(), name, fields("A"));
        QCOMPARE(result.saved, refusal.isEmpty());
        if (result.saved) {
            QCOMPARE(entries(dir.path()), (QStringList{name + ".mdb", name + ".txt"}));
            QCOMPARE((name + ".mdb").toUtf8().size(), 255);
            return;
        }
        QVERIFY2(result.failure.startsWith("Could not create \"" + dir.path() + "/a"),
                 qPrintable(result.failure));
        QVERIFY2(result.failure.endsWith(refusal), qPrintable(result.failure));
        QCOMPARE(result.onDisk, NothingLost);
        QCOMPARE(entries(dir.path()), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
