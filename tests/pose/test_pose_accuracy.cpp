// The whole measurement on the rendered figures, whose true angles are known: the drawings
// the generator recorded are the option table's, and from the side every figure is found, the
// angles come close and no suggested drawing is two drawings away from the true one. The
// benchmark (bench/pose) reports the full figures; this catches a measurement gone wrong.

#include "RenderedFigures.h"

#include <QTest>

#include <stop_token>

namespace {

const QMap<QString, Region> Regions{{"trunk", Region::Trunk},
                                    {"neck", Region::Neck},
                                    {"knee", Region::Legs},
                                    {"right_arm", Region::UpperRightArm},
                                    {"left_arm", Region::UpperLeftArm},
                                    {"right_elbow", Region::LowerRightArm},
                                    {"left_elbow", Region::LowerLeftArm},
                                    {"right_wrist", Region::RightWrist},
                                    {"left_wrist", Region::LeftWrist}};

} // namespace

class TestPoseAccuracy : public QObject
{
    Q_OBJECT

private slots:
    void figuresKeepToTheOptionTable()
    {
        const std::vector<rendered::Figure> figures = rendered::figures();
        QVERIFY(figures.size() >= 60);
        for (const rendered::Figure& f : figures) {
            for (auto it = Regions.begin(); it != Regions.end(); ++it)
                QVERIFY2(f.option.value(it.key(), -1) ==
                             rendered::optionNumber(it.value(), f.truth.value(it.key())),
                         qPrintable(f.picture + u' ' + it.key()));
        }
    }

    // Photos are measured at a reduced size, the scales a JPEG decodes straight at: a
    // 12000 x 9000 photo is never decoded whole.
    void measuringSize()
    {
        QCOMPARE(measurecommand::measuringSize({12000, 9000}), QSize(1500, 1125));
        QCOMPARE(measurecommand::measuringSize({4000, 3000}), QSize(1000, 750));
        QCOMPARE(measurecommand::measuringSize({3000, 4000}), QSize(750, 1000));
        QCOMPARE(measurecommand::measuringSize({960, 720}), QSize(960, 720));
    }

    void sideViews()
    {
        std::string error;
        const auto detector = PoseDetector::load(VESK_POSE_MODEL_DIR, error);
        QVERIFY2(detector, error.c_str());
        std::stop_source stop; // stopped when asked, before the model has looked
        stop.request_stop();
        QCOMPARE(measurecommand::measurePhoto(rendered::Folder + "/side-03.jpg", *detector,
                                              stop.get_token())
                     .pose.outcome,
                 PoseMeasurement::Outcome::Stopped);
        rendered::Evaluation evaluation;
        for (const rendered::Figure& f : rendered::figures()) {
            if (f.view != 0)
                continue;
            const auto m =
                measurecommand::measurePhoto(rendered::Folder + u'/' + f.picture, *detector);
            QVERIFY2(m.error.isEmpty(), qPrintable(m.error));
            QVERIFY2(m.pose.outcome == PoseMeasurement::Outcome::Person, qPrintable(f.picture));
            evaluation.add(f, m);
        }
        QVERIFY(evaluation.figures.value(0) >= 30);
        const rendered::Tally trunk = evaluation.joints.value("0 trunk near");
        const rendered::Tally knee = evaluation.joints.value("0 knee near");
        QVERIFY2(trunk.percentile(0.5) <= 5,
                 qPrintable(QString::number(double(trunk.percentile(0.5)))));
        QVERIFY2(knee.percentile(0.5) <= 8,
                 qPrintable(QString::number(double(knee.percentile(0.5)))));
        QVERIFY(trunk.agreed >= 0.9 * trunk.suggested && trunk.suggested >= 20);
        for (auto it = evaluation.joints.begin(); it != evaluation.joints.end(); ++it)
            QVERIFY2(it->twoAway == 0, qPrintable(it.key()));
        const rendered::Tally all = evaluation.views.value(0);
        QVERIFY(all.checkByEye <= all.regions / 2);
    }
};

QTEST_GUILESS_MAIN(TestPoseAccuracy)
#include "test_pose_accuracy.moc"
