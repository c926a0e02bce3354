// The writer of both files and the safe-write primitive under it: a fault at every step, a kill
// at every step, planted links, linked and dangling databases, refused and very long names.

#include "FaultySystem.h"
#include "ReadBack.h"
#include "ReportFields.h"
#include "ReportFiles.h"
#include "SafeWrite.h"
#include "TestSupport.h"
#include "TextReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>
#include <memory>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Base = QStringLiteral("Bench VESK Analysis");
const QString NothingLost =
    QStringLiteral("Nothing has been lost: choose another folder or name and save again.");

// The report table of an assessment of `name`, with every region chosen.
report::ReportTable fields(const QString& name)
{
    Assessment assessment =
        assessmentOf({"trunk1", "neck1", "leg1", "Image96", "Image103", "Image111", "Image1",
                      "Image6", "Image4", "Image10", "Image7"});
    assessment.setEmployee(name, QStringLiteral("E-7"), {});
    return report::ReportFields(assessment);
}

void put(const QString& path, const QByteArray& bytes)
{
    QVERIFY(writeFile(path, bytes));
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
        return entriesOf(dir.path()) == (withFiles ? both : QStringList{}) &&
               (!withFiles || (readAll(database) == "old mdb" && readAll(report) == "old txt"));
    }
    bool isNew(const QString& name) const { return isNewBeside(name, {}); }
    // The new pair of a save of `name`, with nothing else in the folder but `other`.
    bool isNewBeside(const QString& name, const QString& other) const
    {
        QStringList expected = both;
        if (!other.isEmpty())
            expected = QStringList{other} + both;
        return readAll(report) == QByteArray::fromStdString(textReport(fields(name))) &&
               readAll(database).startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)) &&
               entriesOf(dir.path()) == expected;
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
            QVERIFY2(pair.intact(), qPrintable(at + ": " + entriesOf(pair.dir.path()).join(", ")));
            QVERIFY2(result.failure.contains(QRegularExpression(
                         "^Could not [a-z ]+ \"" + QRegularExpression::escape(pair.dir.path()) +
                         "(/" + Base + "\\.(mdb|txt))?\": No space left on device$")),
                     qPrintable(at + ": " + result.failure));
            QCOMPARE(result.onDisk, NothingLost);
            // A file that is not there yet is not replaced, it is created.
            if (steps[n - 1] == "rename")
                QVERIFY2(
                    result.failure.startsWith(oldFiles ? "Could not replace" : "Could not create"),
                    qPrintable(at + ": " + result.failure));
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

    // Two saves of one name started 0 to 4 ms apart, in two processes, 300 times (ten races at
    // a time, each in a folder of its own): both say they saved, and the folder holds one
    // complete pair, both files from the same save.
    void racingSaves()
    {
        std::mt19937 random(20261207);
        for (int batch = 0; batch < 30; ++batch) {
            std::vector<std::unique_ptr<OldPair>> pairs;
            std::vector<pid_t> children;
            for (int race = 0; race < 10; ++race) {
                const OldPair& pair = *pairs.emplace_back(std::make_unique<OldPair>());
                const int delay = int(random() % 4001);
                for (int k = 0; k < 2; ++k) {
                    const pid_t child = fork();
                    if (child == 0) {
                        if (k == 1)
                            usleep(useconds_t(delay));
                        const QString name = QStringLiteral("Saver%1").arg(k);
                        _exit(reportfiles::writeBoth(pair.dir.path(), Base, fields(name)).saved);
                    }
                    children.push_back(child);
                }
            }
            for (const pid_t child : children) {
                int status = -1;
                QCOMPARE(waitpid(child, &status, 0), child);
                QCOMPARE(WEXITSTATUS(status), 1);
            }
            for (const auto& pair : pairs) {
                const QByteArray database = readAll(pair->database);
                const bool first = pair->isNew("Saver0");
                QVERIFY2(first != pair->isNew("Saver1"), qPrintable(pair->dir.path()));
                const QString name = first ? "Saver0" : "Saver1";
                const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()),
                                       2 * name.size());
                QVERIFY2(database.contains(name.toLatin1()) || database.contains(utf16),
                         qPrintable(pair->dir.path() + ": the database is the other save's"));
            }
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
            QCOMPARE(entriesOf(dir.path()), (QStringList{".x000000000000", "victim"}));
        }
    }

    // Whatever stands in the folder under the names of a save's own files, the save replaces the
    // pair by the new pair only: a link, a folder or someone else's file is left as it is and
    // named, a link is never followed, and only a file a save could have made is cleared away.
    void plantedEntries_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<char>("role");
        const bool root = geteuid() == 0; // only root can make a file of someone else's
        for (const char* kind : {"link", "folder", "own empty file", "someone else's file"}) {
            if (QByteArray(kind) == "someone else's file" && !root)
                continue;
            for (const char role : {'0', '3', 'd', 'm', 't'})
                QTest::addRow("%s as %c", kind, role) << QString::fromLatin1(kind) << role;
        }
    }

    void plantedEntries()
    {
        QFETCH(QString, kind);
        QFETCH(char, role);
        OldPair pair;
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim");
        put(victim, "victim");
        const QString planted = pair.dir.filePath(
            QString::fromStdString(reportfiles::leftoverPrefix(Base)) + role + "000000000000");
        if (kind == "link")
            QVERIFY(QFile::link(victim, planted));
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(planted));
        else
            put(planted, {});
        if (kind == "someone else's file")
            QCOMPARE(chown(planted.toLocal8Bit().constData(), 65534, 65534), 0);
        const reportfiles::SaveResult result =
            reportfiles::writeBoth(pair.dir.path(), Base, fields("Anna"));
        QVERIFY2(result.saved, qPrintable(result.failure));
        const bool stranger = kind != "own empty file";
        QVERIFY(pair.isNewBeside("Anna", stranger ? QFileInfo(planted).fileName() : QString()));
        QCOMPARE(readAll(victim), QByteArray("victim"));
        QCOMPARE(QFileInfo::exists(planted) || QFileInfo(planted).isSymLink(), stranger);
        QCOMPARE(result.strangers, stranger ? QStringList{planted} : QStringList{});
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
        QCOMPARE(entriesOf(pair.dir.path()).size(), dangling ? 2 : 1);
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
            QCOMPARE(entriesOf(dir.path()), (QStringList{name + ".mdb", name + ".txt"}));
            QCOMPARE((name + ".mdb").toUtf8().size(), 255);
            const std::vector<readback::Table> tables =
                readback::mdbReader(dir.filePath(name + ".mdb"));
            QCOMPARE(tables.size(), std::size_t(2));
            QCOMPARE(tables[0].rows.value(0).value(2), QStringLiteral("1"));
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
        QCOMPARE(entriesOf(dir.path()), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
