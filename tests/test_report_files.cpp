// The writer of both files and the safe-write primitive under it: a fault at every step, a kill
// at every step, planted links, linked and dangling databases, refused and very long names.

#include "FaultySystem.h"
#include "ReadBack.h"
#include "ReportFiles.h"
#include "SafeWrite.h"
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

// A folder holding an old pair of files, or none.
struct OldPair
{
    QTemporaryDir dir;
    QString database = dir.filePath(Base + ".mdb"), report = dir.filePath(Base + ".txt");
    QStringList both{Base + ".mdb", Base + ".txt"};
    bool withFiles;
    explicit OldPair(bool files = true) : withFiles(files)
    {
        for (const QString& path : withFiles ? QStringList{database, report} : QStringList{})
            put(path, "old " + path.right(3).toUtf8());
    }
    bool intact() const
    {
        return entries(dir.path()) == (withFiles ? both : QStringList{}) &&
               (!withFiles || (readAll(database) == "old mdb" && readAll(report) == "old txt"));
    }
    bool isNew(const char* name) const
    {
        return readAll(report) == QByteArray::fromStdString(textReport(fields(name))) &&
               readAll(database).startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)) &&
               entries(dir.path()) == both;
    }
};

// The steps of a save into `folder` (by default over an old pair or into an empty folder),
// with `setUp` applied to its faults.
QStringList stepsOfASave(bool oldFiles = true,
                         const std::function<void(QTemporaryDir&, FaultySystem&)>& setUp = {})
{
    OldPair pair(oldFiles);
    FaultySystem faults;
    if (setUp)
        setUp(pair.dir, faults);
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
                FaultySystem faults;
                if (kind == "fails")
                    faults.failStep(n, ENOSPC);
                else
                    faults.shortWrite(n, 5);
                if (kind == "full")
                    faults.shortWrite(n + 1, 0);
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

    // A save that fails once both new files are in place, and then cannot put the old pair
    // back, says where each file is: the new report it took out of place is not there.
    void failedUndoSaysWhereEachFileIs()
    {
        const QStringList steps = stepsOfASave();
        const int lastSync = int(steps.lastIndexOf("sync folder")) + 1;
        OldPair pair;
        reportfiles::SaveResult result;
        {
            FaultySystem faults;
            faults.failStep(lastSync, EIO);
            for (int n = lastSync + 2; n <= lastSync + 20; ++n)
                faults.failStep(n, EIO);
            result = reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
        }
        QVERIFY(!result.saved);
        QVERIFY2(result.onDisk.startsWith("\"" + pair.database +
                                          "\" is the new database. There "
                                          "is no report \"" +
                                          pair.report + "\"."),
                 qPrintable(result.onDisk));
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
                FaultySystem faults;
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
            const auto refused = reportfiles::writeBoth(pair.dir.path(), Base, fields(tooLong));
            QVERIFY(!refused.saved && refused.failure.contains("201 UTF-16 code units long"));
            QVERIFY2(pair.intact() || pair.isNew("Killed"), qPrintable(where));
            QVERIFY(reportfiles::writeBoth(pair.dir.path(), Base, fields("Last")).saved);
            QVERIFY2(pair.isNew("Last"), qPrintable(where));
        }
    }

    // The primitive never creates through a name that exists, a planted link least of all.
    void creationIsExclusiveAndNeverFollowsALink()
    {
        for (const char* pointsTo : {"victim", "nowhere"}) {
            QTemporaryDir dir;
            put(dir.filePath("victim"), "victim");
            QVERIFY(QFile::link(dir.filePath(pointsTo), dir.filePath(".x000000000000")));
            FaultySystem faults;
            faults.fixNames();
            try {
                safewrite::NewFile::create(dir.path().toStdString(), ".x", "shown.mdb");
                QFAIL("created");
            } catch (const safewrite::Error& error) {
                QCOMPARE(QString(error.what()), "Could not create \"shown.mdb\": File exists");
            }
            QCOMPARE(readAll(dir.filePath("victim")), QByteArray("victim"));
            QCOMPARE(entries(dir.path()), (QStringList{".x000000000000", "victim"}));
        }
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
        const QStringList others{".vesk", Base + ".mdb.tmp", Base + ".txt.tmp"};
        for (const QString& kind : others + QStringList{"d", "m", "t"})
            QVERIFY(QFile::link(
                victim,
                pair.dir.filePath(kind.size() > 1 ? kind : prefix + kind + "000000000000")));
        QVERIFY(reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna")).saved);
        QCOMPARE(readAll(victim), QByteArray("victim"));
        for (const QString& name : others)
            QVERIFY(QFileInfo(pair.dir.filePath(name)).isSymLink());
        QCOMPARE(entries(pair.dir.path()),
                 (QStringList{others[0], pair.both[0], others[1], pair.both[1], others[2]}));
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
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("real.mdb");
        if (!dangling)
            put(target, "real");
        const int link = int(stepsOfASave().indexOf("link")) + 1;
        const auto setUp = [&](QTemporaryDir& dir, FaultySystem& faults) {
            QVERIFY(QFile::link(target, dir.filePath(Base + ".mdb")));
            if (!linksWork)
                faults.failStep(link, EPERM);
        };
        const int lastRename = int(stepsOfASave(false, setUp).lastIndexOf("rename")) + 1;
        OldPair pair(false);
        reportfiles::SaveResult result;
        {
            FaultySystem faults;
            setUp(pair.dir, faults);
            if (!dangling)
                faults.failStep(lastRename, EIO);
            result = reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
        }
        QCOMPARE(result.saved, dangling);
        QCOMPARE(entries(pair.dir.path()).size(), dangling ? 2 : 1);
        QCOMPARE(QFileInfo(pair.database).isSymLink(), !dangling && linksWork);
        if (dangling)
            return;
        QCOMPARE(readAll(target), QByteArray("real"));
        QCOMPARE(readAll(pair.database), QByteArray("real"));
        QVERIFY2(linksWork ? result.onDisk == NothingLost : result.onDisk.contains("copy"),
                 qPrintable(result.onDisk));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("255-byte file name") << "x" + QString(125, QChar(0xFC)) << "";
        for (const char* name : {"a/b", "a\\b"})
            QTest::newRow(name) << name << "cannot contain \"/\" or \"\\\"";
        for (const char* name : {"a\x01b", "a\x7f", "a\u0085"})
            QTest::newRow("control") << name << "control characters";
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
            const std::vector<readback::Table> tables =
                readback::mdbReader(dir.filePath(name + ".mdb"));
            QCOMPARE(tables.size(), std::size_t(2));
            QCOMPARE(tables[0].rows.value(0).value(2), QStringLiteral("5"));
            QCOMPARE(tables[1].rows.value(0).value(0), QStringLiteral("A"));
            // Saved again without an employee name: no employee table.
            QVERIFY(reportfiles::writeBoth(dir.path(), name, fields("")).saved);
            QCOMPARE(readback::mdbReader(dir.filePath(name + ".mdb")).size(), std::size_t(1));
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
