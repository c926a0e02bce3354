// The angles from keypoints and the drawings they suggest, on bodies built from known angles:
// every band edge of the option table, both facings, hidden and missing points.

#include "PoseAngles.h"
#include "Suggestion.h"
#include "SyntheticPose.h"

#include <QTest>

#include <array>
#include <cmath>

Q_DECLARE_METATYPE(Region)
Q_DECLARE_METATYPE(Landmark)

namespace {

// Sets the angle of `region` in a body whose other angles lie in the middle of a band.
SyntheticPose bodyWith(Region region, float degrees, int facing)
{
    SyntheticPose body{10, 10, 10, {10, 80, 0}, {10, 80, 0}, facing};
    float* const angles[] = {&body.trunk,      &body.neck,        &body.knee,
                             &body.right.arm,  &body.left.arm,    &body.right.elbow,
                             &body.left.elbow, &body.right.wrist, &body.left.wrist};
    *angles[int(region)] = degrees;
    return body;
}

RegionSuggestion suggestionFor(const Keypoints& points, Region region)
{
    for (const RegionSuggestion& s : suggestDrawings(measureAngles(points))) {
        if (s.region == region)
            return s;
    }
    return {Region::Activity, Measure::None, Side::Right, {}};
}

} // namespace

class TestPoseAngles : public QObject
{
    Q_OBJECT

private slots:
    // Just inside each edge of each band, by more than the margin: that band's drawing; by less
    // than the margin: check by eye. Facing either way.
    void bandEdges_data()
    {
        QTest::addColumn<Region>("region");
        QTest::addColumn<float>("degrees");
        QTest::addColumn<int>("facing");
        QTest::addColumn<int>("expected"); // index into Options, -1 check by eye, -2 no drawing
        for (std::size_t i = 0; i < Options.size(); ++i) {
            const OptionSpec& row = Options[i];
            if (row.measure == Measure::None || row.kind == OptionKind::Adjustment)
                continue;
            // Degrees near an edge left to the eye: none, trunk, neck, knee, arm, elbow, wrist.
            const float margin = std::array{0.f, 3.f, 5.f, 5.f, 5.f, 7.f, 12.f}[int(row.measure)];
            const QByteArray caption(row.caption.data(), qsizetype(row.caption.size()));
            for (const AngleRange& band : row.bands) {
                if (band.isEmpty())
                    continue;
                for (const float edge : {band.low, band.high}) {
                    // Beyond what the body reaches, or the end of the scale.
                    if (std::abs(edge) >= (row.measure == Measure::UpperArm ? 180 : 90))
                        continue;
                    const float inward = edge == band.low ? 1.0f : -1.0f;
                    for (const int facing : {1, -1}) {
                        QTest::addRow("%s edge %g facing %d, clear", caption.constData(),
                                      double(edge), facing)
                            << row.region << edge + inward * (margin + 0.5f) << facing << int(i);
                        QTest::addRow("%s edge %g facing %d, close", caption.constData(),
                                      double(edge), facing)
                            << row.region << edge + inward * (margin - 0.5f) << facing << -1;
                    }
                }
            }
        }
        // Knees bent less than 30 degrees clearly: no knee drawing, and not a matter for the eye.
        QTest::addRow("knees nearly straight") << Region::Legs << 12.0f << 1 << -2;
    }
    void bandEdges()
    {
        QFETCH(Region, region);
        QFETCH(float, degrees);
        QFETCH(int, facing);
        QFETCH(int, expected);
        const RegionSuggestion s =
            suggestionFor(bodyWith(region, degrees, facing).keypoints(), region);
        QVERIFY(s.angle.measured);
        QVERIFY2(std::abs(s.angle.degrees - degrees) < 0.05f,
                 qPrintable(QString::number(s.angle.degrees)));
        using Verdict = RegionSuggestion::Verdict;
        if (expected >= 0) {
            QCOMPARE(s.verdict, Verdict::Drawing);
            QCOMPARE(s.option, expected);
        } else {
            QCOMPARE(s.verdict, expected == -1 ? Verdict::CheckByEye : Verdict::NoDrawing);
            QCOMPARE(s.option, -1);
        }
    }

    // The same body facing the other way, or drawn in mirror image: the same angles, and the
    // sides follow the body, not the picture.
    void mirrored()
    {
        SyntheticPose body{35, 25, 45, {100, 40, 30}, {-30, 110, -25}, 1};
        const PoseAngles right = measureAngles(body.keypoints());
        body.facing = -1;
        const PoseAngles left = measureAngles(body.keypoints());
        QCOMPARE(right.facing, 1);
        QCOMPARE(left.facing, -1);
        QCOMPARE(right.nearSide, Side::Right);
        QCOMPARE(left.nearSide, Side::Left);
        for (const PoseAngles& a : {right, left}) {
            QList<int> rounded;
            for (const JointAngle* j :
                 {&a.trunk, &a.neck, &a.knee[0], &a.upperArm[0], &a.upperArm[1], &a.elbow[0],
                  &a.elbow[1], &a.wrist[0], &a.wrist[1]})
                rounded << qRound(j->degrees);
            QCOMPARE(rounded, (QList<int>{35, 25, 45, 100, -30, 40, 110, 30, -25}));
        }
    }

    // An arm raised above the shoulder is flexion past 90 degrees, up to 180, never extension:
    // straight up, past the vertical, up with the trunk bent.
    void raisedArm()
    {
        for (const auto& [trunk, arm, measured] :
             {std::array{0.f, 170.f, 170.f}, {0.f, 200.f, 180.f}, {50.f, 160.f, 160.f}}) {
            const SyntheticPose body{trunk, 10, 10, {arm, 30, 0}, {10, 80, 0}, 1};
            QCOMPARE(qRound(measureAngles(body.keypoints()).upperArm[0].degrees), qRound(measured));
            QCOMPARE(suggestionFor(body.keypoints(), Region::UpperRightArm).option, 15);
        }
    }

    // A point moved off the picture is not measured; a point barely in sight leaves its
    // regions to the eye, and the other regions as they were. The far arm is only guessed.
    void hiddenAndMissingPoints_data()
    {
        QTest::addColumn<QList<Landmark>>("points");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QList<Region>>("affected");
        const QList<Region> rightArm{Region::UpperRightArm, Region::LowerRightArm,
                                     Region::RightWrist};
        QTest::addRow("right elbow hidden") << QList{Landmark::RightElbow} << false << rightArm;
        QTest::addRow("right elbow missing") << QList{Landmark::RightElbow} << true << rightArm;
        QTest::addRow("far knee hidden") << QList{Landmark::LeftKnee} << false << QList<Region>{};
        QTest::addRow("both knees hidden")
            << QList{Landmark::RightKnee, Landmark::LeftKnee} << false << QList{Region::Legs};
        QTest::addRow("ears hidden")
            << QList{Landmark::RightEar, Landmark::LeftEar} << false << QList{Region::Neck};
        QTest::addRow("right hip missing")
            << QList{Landmark::RightHip} << true
            << QList{Region::Trunk, Region::Neck, Region::Legs, Region::UpperRightArm};
    }
    void hiddenAndMissingPoints()
    {
        QFETCH(QList<Landmark>, points);
        QFETCH(bool, missing);
        QFETCH(QList<Region>, affected);
        SyntheticPose body{35, 10, 45, {60, 80, 35}, {60, 80, 35}, 1};
        body.farVisibility = 0.3f;
        Keypoints keypoints = body.keypoints();
        for (const Landmark l : points) {
            keypoints[std::size_t(l)].visibility = 0.1f;
            if (missing)
                keypoints[std::size_t(l)].x = std::numeric_limits<float>::quiet_NaN();
        }
        for (const RegionSuggestion& s : suggestDrawings(measureAngles(keypoints))) {
            const QByteArray name(regionCaption(s.region).data(),
                                  qsizetype(regionCaption(s.region).size()));
            const bool farArm = s.measure != Measure::Trunk && s.measure != Measure::Neck &&
                                s.measure != Measure::Knee && s.side == Side::Left;
            const bool drawing = s.verdict == RegionSuggestion::Verdict::Drawing;
            QVERIFY2(drawing == !(farArm || affected.contains(s.region)), name.constData());
            // The legs fall back on the other knee.
            if (missing && affected.contains(s.region) && s.region != Region::Legs)
                QVERIFY2(!s.angle.measured && s.checkByEye(), name.constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestPoseAngles)
#include "test_pose_angles.moc"
