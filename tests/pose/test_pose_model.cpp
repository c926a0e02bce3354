// The converted pose models: valid ONNX by the onnx package's own checker, refused when the
// input is not the pinned file, and computing in OpenCV what onnxruntime-node, an independent
// runtime, computes from the same files on the same inputs.

#include <opencv2/dnn.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QString ModelDir = QStringLiteral(VESK_POSE_MODEL_DIR);

QString run(const QString& program, const QStringList& arguments, int* status = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(VESK_SOURCE_DIR));
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return QStringLiteral("<did not finish>");
    if (status)
        *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// A rendered figure, scaled to the model's square, in the model's value range.
cv::Mat input(int size, double scale, double shift)
{
    cv::Mat rgb;
    const cv::Mat bgr = cv::imread(VESK_SOURCE_DIR "/tests/data/pose/side-01.jpg");
    cv::resize(bgr(cv::Rect(240, 0, 720, 720)), rgb, cv::Size(size, size), 0, 0, cv::INTER_AREA);
    cv::cvtColor(rgb, rgb, cv::COLOR_BGR2RGB);
    return cv::dnn::blobFromImage(rgb, scale, {}, cv::Scalar::all(shift));
}

} // namespace

class TestPoseModel : public QObject
{
    Q_OBJECT

private slots:
    void onnxChecker_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addRow("detector") << QStringLiteral("pose_detector.onnx");
        QTest::addRow("landmarks") << QStringLiteral("pose_landmark_full.onnx");
    }
    void onnxChecker()
    {
        QFETCH(QString, model);
        int status = -1;
        const QString output =
            run(QStringLiteral(VESK_PYTHON),
                {QStringLiteral("-c"),
                 QStringLiteral(
                     "import onnx, sys; m = onnx.load(sys.argv[1]); onnx.checker.check_model(m, "
                     "full_check=True); print(m.opset_import[0].version)"),
                 ModelDir + u'/' + model},
                &status);
        QVERIFY2(status == 0, qPrintable(output));
        QCOMPARE(output.trimmed(), QStringLiteral("10"));
    }

    // A model file that is not byte for byte the pinned one is not converted.
    void refusesAnotherModel()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString source = QStringLiteral(
            VESK_SOURCE_DIR "/node_modules/@mediapipe/pose/pose_landmark_lite.tflite");
        int status = -1;
        const QString output =
            run(QStringLiteral(VESK_PYTHON),
                {QStringLiteral(VESK_SOURCE_DIR "/tools/tflite2onnx.py"), source,
                 dir.filePath(QStringLiteral("out.onnx")),
                 QStringLiteral("--sha256=e9a5c5cb17f736fafd4c2ec1da3b3d331d6edbe8a0d"
                                "32395855aeb2cdfd64b9f")},
                &status);
        QCOMPARE(status, 1);
        QVERIFY2(output.contains(QStringLiteral("not the pinned model")), qPrintable(output));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.onnx"))));
    }

    // Within a hundred-thousandth of the largest output, the order of float rounding.
    void sameAsOnnxRuntime_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("size");
        QTest::addRow("landmarks") << QStringLiteral("pose_landmark_full.onnx") << 256;
        QTest::addRow("detector") << QStringLiteral("pose_detector.onnx") << 224;
    }
    void sameAsOnnxRuntime()
    {
        QFETCH(QString, model);
        QFETCH(int, size);
        const QStringList outputs{QStringLiteral("Identity"), QStringLiteral("Identity_1")};
        // The landmark model takes values from 0 to 1, the detector from -1 to 1.
        const bool detector = size == 224;
        const cv::Mat blob = input(size, detector ? 1 / 127.5 : 1 / 255.0, detector ? 127.5 : 0);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("input.f32")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(blob.ptr<char>(), qint64(blob.total() * sizeof(float)));
        file.close();

        cv::dnn::Net net = cv::dnn::readNetFromONNX((ModelDir + u'/' + model).toStdString());
        net.setInput(blob);
        std::vector<cv::String> names;
        for (const QString& name : outputs)
            names.push_back(name.toStdString());
        std::vector<cv::Mat> mats;
        net.forward(mats, names);

        int status = -1;
        const QString json =
            run(QStringLiteral("node"),
                {QStringLiteral(VESK_SOURCE_DIR "/tests/pose/run-onnx.mjs"),
                 ModelDir + u'/' + model, file.fileName(), QStringLiteral("1"), QStringLiteral("3"),
                 QString::number(size), QString::number(size)},
                &status);
        QVERIFY2(status == 0, qPrintable(json.left(2000)));
        const QJsonObject reference = QJsonDocument::fromJson(json.toUtf8()).object();
        for (std::size_t k = 0; k < names.size(); ++k) {
            const QJsonArray values = reference[outputs[qsizetype(k)]].toArray();
            QCOMPARE(std::size_t(values.size()), mats[k].total());
            double largest = 0, difference = 0;
            for (qsizetype i = 0; i < values.size(); ++i) {
                const double theirs = values[i].toDouble();
                largest = std::max(largest, std::abs(theirs));
                difference = std::max(difference, std::abs(theirs - mats[k].ptr<float>()[i]));
            }
            qInfo("%s %s: largest %.3f, differs by at most %.6f", qPrintable(model),
                  names[k].c_str(), largest, difference);
            QVERIFY(largest > 0);
            QVERIFY2(
                difference <= 1e-5 * std::max(largest, 1.0),
                qPrintable(
                    QStringLiteral("%1 differs by %2").arg(outputs[qsizetype(k)]).arg(difference)));
        }
    }
};

QTEST_APPLESS_MAIN(TestPoseModel)
#include "test_pose_model.moc"
