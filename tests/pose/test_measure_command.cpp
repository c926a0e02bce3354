// "vesk --measure PHOTO [--json]" as a person or a script runs it: the JSON it prints for a
// photo of a worker, what it says for a photo of nobody, and the clear refusals of a broken
// file, a folder and a named pipe (which it must never open and wait on).

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Run
{
    int status = -1;
    QByteArray out, err;
};

Run measure(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(VESK_PROGRAM),
                  QStringList{QStringLiteral("--measure")} + arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = "did not finish";
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class TestMeasureCommand : public QObject
{
    Q_OBJECT

private slots:
    void jsonOfAWorker()
    {
        const Run run = measure({QStringLiteral(VESK_SOURCE_DIR "/tests/data/pose/side-02.jpg"),
                                 QStringLiteral("--json")});
        QVERIFY2(run.status == 0, run.err.constData());
        QCOMPARE(run.out.count('\n'), 1); // one object on one line
        const QJsonObject o = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(o[QStringLiteral("person")].toBool(), true);
        QVERIFY(o[QStringLiteral("side")] == QStringLiteral("left") ||
                o[QStringLiteral("side")] == QStringLiteral("right"));
        const QJsonArray regions = o[QStringLiteral("regions")].toArray();
        QStringList names;
        for (const QJsonValue& v : regions) {
            const QJsonObject r = v.toObject();
            names << r[QStringLiteral("region")].toString();
            QVERIFY(r[QStringLiteral("angle")].isDouble());
            QVERIFY(r[QStringLiteral("check_by_eye")].isBool());
            const QJsonValue drawing = r[QStringLiteral("drawing")];
            if (r[QStringLiteral("check_by_eye")].toBool())
                QVERIFY(drawing.isNull());
            if (!drawing.isNull())
                QVERIFY(drawing.toString().startsWith(names.last() + QStringLiteral(" - Option ")));
        }
        QCOMPARE(names,
                 (QStringList{"Trunk", "Neck", "Legs", "Upper Arm Right", "Upper Arm Left",
                              "Lower Arm Right", "Lower Arm Left", "Right Wrist", "Left Wrist"}));
        const QJsonArray keypoints = o[QStringLiteral("keypoints")].toArray();
        QCOMPARE(keypoints.size(), 33);
        const QJsonObject nose = keypoints[0].toObject();
        QCOMPARE(nose[QStringLiteral("name")].toString(), QStringLiteral("nose"));
        // In the photo's own pixels (960 x 720).
        QVERIFY(nose[QStringLiteral("x")].toDouble() > 0 &&
                nose[QStringLiteral("x")].toDouble() < 960);
        QVERIFY(nose[QStringLiteral("y")].toDouble() > 0 &&
                nose[QStringLiteral("y")].toDouble() < 720);
    }

    void nobody()
    {
        QTemporaryDir dir;
        QImage empty(800, 600, QImage::Format_RGB32);
        empty.fill(qRgb(200, 190, 180));
        const QString path = dir.filePath(QStringLiteral("empty room.png"));
        QVERIFY(empty.save(path));
        const Run json = measure({path, QStringLiteral("--json")});
        QCOMPARE(json.status, 1);
        QCOMPARE(QJsonDocument::fromJson(json.out).object()[QStringLiteral("person")].toBool(true),
                 false);
        const Run text = measure({path});
        QCOMPARE(text.status, 1);
        QVERIFY(text.out.contains("No person found"));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("says");
        QTest::addRow("not a picture")
            << QStringLiteral("text") << QByteArray("cannot be read as a picture");
        QTest::addRow("cut short")
            << QStringLiteral("truncated") << QByteArray("cannot be read as a picture");
        QTest::addRow("folder") << QStringLiteral("folder") << QByteArray("is a folder");
        QTest::addRow("named pipe") << QStringLiteral("fifo") << QByteArray("not a regular file");
        QTest::addRow("nothing there") << QStringLiteral("missing") << QByteArray("does not exist");
    }
    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, says);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        if (kind == QStringLiteral("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("this is not a picture\n");
        } else if (kind == QStringLiteral("truncated")) {
            QFile source(QStringLiteral(VESK_SOURCE_DIR "/tests/data/pose/side-02.jpg"));
            QVERIFY(source.open(QIODevice::ReadOnly));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(source.read(source.size() / 3));
        } else if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("photo.jpg")));
        } else if (kind == QStringLiteral("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        const Run run = measure({path, QStringLiteral("--json")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(says), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMeasureCommand)
#include "test_measure_command.moc"
