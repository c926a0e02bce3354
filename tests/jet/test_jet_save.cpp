// Writing the file: a failure at any step, injected or real, leaves neither the target nor
// the temporary file and says which step failed on which path; misuse is refused.

#include "SampleDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <stdexcept>

namespace {

QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
}

QString expectError(const std::function<void()>& action)
{
    try {
        action();
    } catch (const jet::Error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace

class TestJetSave : public QObject
{
    Q_OBJECT

private slots:
    void injectedFailure_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("targetExists");
        for (const char* step : {"create", "write", "flush", "close", "rename"}) {
            QTest::newRow(step) << step << false;
            QTest::newRow(qPrintable(QString(step) + ", over a file")) << step << true;
        }
    }

    void injectedFailure()
    {
        QFETCH(QString, step);
        QFETCH(bool, targetExists);
        QTemporaryDir dir;
        const QString path = dir.filePath("out.mdb");
        if (targetExists) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        QStringList steps;
        jet::Options options = sample::referenceOptions();
        options.beforeStep = [&](std::string_view name) {
            steps << QString::fromUtf8(name.data(), qsizetype(name.size()));
            if (steps.back() == step)
                throw std::runtime_error("disk on fire");
        };
        jet::Database database = sample::assessment(path.toStdString(), true, options);
        const QString message = expectError([&] { database.close(); });
        QVERIFY2(message.contains("step '" + step + "'"), qPrintable(message));
        QVERIFY2(message.contains(path + ".tmp"), qPrintable(message));
        QVERIFY2(message.contains("disk on fire"), qPrintable(message));
        const QStringList all{"create", "write", "flush", "close", "rename"};
        QCOMPARE(steps, all.mid(0, all.indexOf(step) + 1));
        // Nothing new beside the target; a file that was there is unchanged.
        QCOMPARE(entries(dir), targetExists ? QStringList{"out.mdb"} : QStringList{});
        if (targetExists) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("old"));
        }
        // The failed attempt can be repeated once the cause is gone.
        step.clear();
        database.close();
        QCOMPARE(QFileInfo(path).size(), 22 * 4096);
    }

    void systemFailure_data()
    {
        QTest::addColumn<QString>("occupy");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("reason");
        QTest::newRow("temporary name is a folder") << "out.mdb.tmp/x"
                                                    << "create"
                                                    << "Is a directory";
        QTest::newRow("target is a non-empty folder") << "out.mdb/x"
                                                      << "rename"
                                                      << "";
        QTest::newRow("folder removed before close") << ""
                                                     << "create"
                                                     << "No such file or directory";
    }

    void systemFailure()
    {
        QFETCH(QString, occupy);
        QFETCH(QString, step);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString folder = dir.filePath("sub");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/out.mdb";
        jet::Database database = sample::assessment(path.toStdString(), false);
        if (occupy.isEmpty())
            QVERIFY(QDir(folder).removeRecursively());
        else
            QVERIFY(QDir().mkpath(folder + "/" + occupy));
        const QString message = expectError([&] { database.close(); });
        QVERIFY2(message.contains("step '" + step + "'"), qPrintable(message));
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY(!QFileInfo(path + ".tmp").isFile());
        QVERIFY(!QFileInfo(path).isFile());
    }

    void createRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << ""
                               << "no file name";
        QTest::newRow("folder") << "."
                                << "is a folder";
        QTest::newRow("missing folder") << "no/such/folder/x.mdb"
                                        << "does not exist";
    }

    void createRefused()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const QString message = expectError([&] { jet::Database::create(path.toStdString()); });
        QVERIFY2(message.contains(problem), qPrintable(message));
        QCOMPARE(entries(dir), QStringList{});
    }

    void withoutCloseNothingIsWritten()
    {
        QTemporaryDir dir;
        {
            jet::Database database = sample::assessment(dir.filePath("a.mdb").toStdString(), true);
            QVERIFY(!database.bytes().empty());
        }
        QCOMPARE(entries(dir), QStringList{});
    }

    void unusableAfterCloseOrMove()
    {
        QTemporaryDir dir;
        jet::Database database = sample::assessment(dir.filePath("a.mdb").toStdString(), false);
        jet::Database moved = std::move(database);
        QVERIFY(expectError([&] { database.bytes(); }).contains("moved from"));
        moved.close();
        QCOMPARE(entries(dir), QStringList{"a.mdb"});
        QVERIFY(expectError([&] { moved.close(); }).contains("already closed"));
        QVERIFY(expectError([&] {
                    moved.execute("INSERT INTO VESKResult VALUES ('a')");
                }).contains("already closed"));
    }

    // The catalog date of a user table is the clock's local time when the table was added.
    void tableDateFromClock()
    {
        QTemporaryDir dir;
        jet::Options options;
        options.clock = [] {
            const QDateTime local(QDate(2031, 7, 15), QTime(6, 30, 15));
            return std::chrono::system_clock::time_point(
                std::chrono::seconds(local.toSecsSinceEpoch()));
        };
        jet::Database database =
            sample::assessment(dir.filePath("a.mdb").toStdString(), false, options);
        const std::vector<std::uint8_t> file = database.bytes();
        const double expected =
            QDate(1899, 12, 30).daysTo(QDate(2031, 7, 15)) + (6 * 3600 + 30 * 60 + 15) / 86400.0;
        QByteArray bytes(8, '\0');
        std::memcpy(bytes.data(), &expected, 8);
        const QByteArray image(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
        // DateCreate and DateUpdate of the catalog row, one after the other on page 14.
        QCOMPARE(image.mid(14 * 4096, 4096).count(bytes + bytes), 1);
    }
};

QTEST_GUILESS_MAIN(TestJetSave)
#include "test_jet_save.moc"
