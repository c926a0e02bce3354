// The converted pose models: valid ONNX by the onnx package's own checker, refused when the
// input is not the pinned file, and computing in OpenCV what onnxruntime-node, an independent
// runtime, computes from the same files on the same inputs.

#include "TestSupport.h"

#include <opencv2/dnn.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QString ModelDir = VESK_POSE_MODEL_DIR;

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
    void models_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("size");
        QTest::addRow("landmarks") << "pose_landmark_full.onnx" << 256;
        QTest::addRow("detector") << "pose_detector.onnx" << 224;
    }
    // Valid by the onnx checker, and within a hundred-thousandth of the largest output of
    // onnxruntime-node, the order of float rounding.
    void models()
    {
        QFETCH(QString, model);
        QFETCH(int, size);
        const QString path = ModelDir + u'/' + model;
        const Run checked =
            runProgram(VESK_PYTHON,
                       {"-c",
                        "import onnx, sys; m = onnx.load(sys.argv[1]); onnx.checker.check_model(m, "
                        "full_check=True); print(m.opset_import[0].version)",
                        path});
        QVERIFY2(checked.status == 0, qPrintable(checked.err));
        QCOMPARE(checked.out.trimmed(), "10");

        // The landmark model takes values from 0 to 1, the detector from -1 to 1.
        const bool detector = size == 224;
        const cv::Mat blob = input(size, detector ? 1 / 127.5 : 1 / 255.0, detector ? 127.5 : 0);
        QTemporaryDir dir;
        const QString values = dir.filePath("input.f32");
        QVERIFY(writeFile(values,
                          QByteArray(blob.ptr<char>(), qsizetype(blob.total() * sizeof(float)))));
        cv::dnn::Net net = cv::dnn::readNetFromONNX(path.toStdString());
        net.setInput(blob);
        const std::vector<cv::String> names{"Identity", "Identity_1"};
        std::vector<cv::Mat> mats;
        net.forward(mats, names);

        const Run done =
            runProgram("node", {VESK_SOURCE_DIR "/tests/pose/run-onnx.mjs", path, values, "1", "3",
                                QString::number(size), QString::number(size)});
        QVERIFY2(done.status == 0, qPrintable(done.err.left(2000)));
        const QJsonObject reference = QJsonDocument::fromJson(done.out.toUtf8()).object();
        for (std::size_t k = 0; k < names.size(); ++k) {
            const QJsonArray theirs = reference[QString::fromStdString(names[k])].toArray();
            QCOMPARE(std::size_t(theirs.size()), mats[k].total());
            double largest = 0, difference = 0;
            for (qsizetype i = 0; i < theirs.size(); ++i) {
                largest = std::max(largest, std::abs(theirs[i].toDouble()));
                difference =
                    std::max(difference, std::abs(theirs[i].toDouble() - mats[k].ptr<float>()[i]));
            }
            qInfo("%s %s: largest %.3f, differs by at most %.6f", qPrintable(model),
                  names[k].c_str(), largest, difference);
            QVERIFY(largest > 0);
            QVERIFY2(difference <= 1e-5 * std::max(largest, 1.0), names[k].c_str());
        }
    }

    // A model file that is not byte for byte the pinned one is not converted.
    void refusesAnotherModel()
    {
        QTemporaryDir dir;
        const Run done = runProgram(
            VESK_PYTHON,
            {VESK_SOURCE_DIR "/tools/tflite2onnx.py",
             VESK_SOURCE_DIR "/node_modules/@mediapipe/pose/pose_landmark_lite.tflite",
             dir.filePath("out.onnx"),
             "--sha256=e9a5c5cb17f736fafd4c2ec1da3b3d331d6edbe8a0d32395855aeb2cdfd64b9f"});
        QCOMPARE(done.status, 1);
        QVERIFY2((done.out + done.err).contains("not the pinned model"), qPrintable(done.err));
        QVERIFY(!QFile::exists(dir.filePath("out.onnx")));
    }
};

QTEST_APPLESS_MAIN(TestPoseModel)
#include "test_pose_model.moc"
