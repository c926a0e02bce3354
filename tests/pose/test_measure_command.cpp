// "vesk --measure PHOTO [--json]" as a person or a script runs it: the JSON it prints for a
// photo of a worker, what it says for a photo of nobody, and the clear refusals of a broken
// file, a folder and a named pipe (which it must never open and wait on).

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

Run measure(const QStringList& arguments)
{
    return runProgram(VESK_PROGRAM, QStringList{"--measure"} + arguments);
}

} // namespace

class TestMeasureCommand : public QObject
{
    Q_OBJECT

private slots:
    void jsonOfAWorker()
    {
        const Run run = measure({dataPath("pose/side-02.jpg"), "--json"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out.count('\n'), 1); // one object on one line
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(o["person"].toBool(), true);
        QVERIFY(o["side"] == "left" || o["side"] == "right");
        QStringList names;
        for (const QJsonValue& v : o["regions"].toArray()) {
            const QJsonObject r = v.toObject();
            names << r["region"].toString();
            QVERIFY(r["angle"].isDouble() && r["check_by_eye"].isBool());
            const QJsonValue drawing = r["drawing"];
            if (r["check_by_eye"].toBool())
                QVERIFY(drawing.isNull());
            if (!drawing.isNull())
                QVERIFY(drawing.toString().startsWith(names.last() + " - Option "));
        }
        QCOMPARE(names,
                 (QStringList{"Trunk", "Neck", "Legs", "Upper Arm Right", "Upper Arm Left",
                              "Lower Arm Right", "Lower Arm Left", "Right Wrist", "Left Wrist"}));
        const QJsonArray keypoints = o["keypoints"].toArray();
        QCOMPARE(keypoints.size(), 33);
        const QJsonObject nose = keypoints[0].toObject();
        QCOMPARE(nose["name"].toString(), "nose");
        // In the photo's own pixels (960 x 720).
        QVERIFY(nose["x"].toDouble() > 0 && nose["x"].toDouble() < 960);
        QVERIFY(nose["y"].toDouble() > 0 && nose["y"].toDouble() < 720);
    }

    void nobody()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty room.png");
        QImage empty(800, 600, QImage::Format_RGB32);
        empty.fill(qRgb(200, 190, 180));
        QVERIFY(empty.save(path));
        const Run json = measure({path, "--json"});
        QCOMPARE(json.status, 1);
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object()["person"].toBool(true), false);
        const Run text = measure({path});
        QVERIFY(text.status == 1 && text.out.contains("No person found"));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        for (const auto& [kind, says] : {std::pair{"text", "cannot be read as a picture"},
                                         {"cut short", "cannot be read as a picture"},
                                         {"folder", "is a folder"},
                                         {"named pipe", "not a regular file"},
                                         {"missing", "does not exist"}})
            QTest::newRow(kind) << kind << says;
    }
    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        const QByteArray photo = dataFile("pose/side-02.jpg");
        if (kind == "text")
            QVERIFY(writeFile(path, "this is not a picture\n"));
        else if (kind == "cut short")
            QVERIFY(writeFile(path, photo.left(photo.size() / 3)));
        else if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("photo.jpg"));
        else if (kind == "named pipe")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const Run run = measure({path, "--json"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMeasureCommand)
#include "test_measure_command.moc"
