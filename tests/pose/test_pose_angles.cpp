// The angles from keypoints and the drawings they suggest, on bodies built from known angles:
// every band edge of the option table, both facings, hidden and missing points.

#include "PoseAngles.h"
#include "Suggestion.h"
#include "SyntheticPose.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Region)

namespace {

// Sets the angle of `region` in a neutral body and leaves every other angle in the middle of a
// band.
SyntheticPose bodyWith(Region region, float degrees, int facing)
{
    SyntheticPose body{10, 10, 10, {10, 80, 0}, {10, 80, 0}, facing};
    switch (region) {
    case Region::Trunk:
        body.trunk = degrees;
        break;
    case Region::Neck:
        body.neck = degrees;
        break;
    case Region::Legs:
        body.knee = degrees;
        break;
    case Region::UpperRightArm:
        body.right.arm = degrees;
        break;
    case Region::UpperLeftArm:
        body.left.arm = degrees;
        break;
    case Region::LowerRightArm:
        body.right.elbow = degrees;
        break;
    case Region::LowerLeftArm:
        body.left.elbow = degrees;
        break;
    case Region::RightWrist:
        body.right.wrist = degrees;
        break;
    case Region::LeftWrist:
        body.left.wrist = degrees;
        break;
    default:
        break;
    }
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
        int edges = 0;
        for (std::size_t i = 0; i < Options.size(); ++i) {
            const OptionSpec& spec = Options[i];
            if (spec.measure == Measure::None || spec.kind == OptionKind::Adjustment)
                continue;
            const float margin = edgeMargin(spec.measure);
            for (const AngleRange& band : spec.bands) {
                if (band.isEmpty())
                    continue;
                for (const float edge : {band.low, band.high}) {
                    if (std::abs(edge) >= 90 && spec.measure != Measure::UpperArm)
                        continue; // beyond what the body reaches, or the end of the scale
                    if (std::abs(edge) >= 180)
                        continue;
                    const float inward = edge == band.low ? 1.0f : -1.0f;
                    for (const int facing : {1, -1}) {
                        const QByteArray name =
                            QByteArray(spec.caption.data(), qsizetype(spec.caption.size())) +
                            " edge " + QByteArray::number(edge) +
                            (facing > 0 ? " facing right" : " facing left");
                        QTest::addRow("%s, clear", name.constData())
                            << spec.region << edge + inward * (margin + 0.5f) << facing << int(i);
                        QTest::addRow("%s, close", name.constData())
                            << spec.region << edge + inward * (margin - 0.5f) << facing << -1;
                    }
                    ++edges;
                }
            }
        }
        QVERIFY(edges >= 30);
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
                 qPrintable(QStringLiteral("measured %1").arg(double(s.angle.degrees))));
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
            QCOMPARE(qRound(a.trunk.degrees), 35);
            QCOMPARE(qRound(a.neck.degrees), 25);
            QCOMPARE(qRound(a.knee[0].degrees), 45);
            QCOMPARE(qRound(a.upperArm[0].degrees), 100);
            QCOMPARE(qRound(a.upperArm[1].degrees), -30);
            QCOMPARE(qRound(a.elbow[0].degrees), 40);
            QCOMPARE(qRound(a.elbow[1].degrees), 110);
            QCOMPARE(qRound(a.wrist[0].degrees), 30);
            QCOMPARE(qRound(a.wrist[1].degrees), -25);
        }
    }

    // An arm raised above the shoulder is flexion past 90 degrees, up to 180, never extension;
    // a trunk leaning back is extension.
    void raisedArmAndLeaningBack_data()
    {
        QTest::addColumn<float>("trunk");
        QTest::addColumn<float>("arm");
        QTest::addColumn<float>("measured");
        QTest::addColumn<int>("option");
        QTest::addRow("arm straight up") << 0.0f << 170.0f << 170.0f << 15;
        QTest::addRow("arm past the vertical") << 0.0f << 200.0f << 180.0f << 15;
        QTest::addRow("arm up, trunk bent") << 50.0f << 160.0f << 160.0f << 15;
        QTest::addRow("arm behind the back") << 0.0f << -50.0f << -50.0f << 13;
        QTest::addRow("trunk leaning back") << -30.0f << 0.0f << 0.0f << 12;
    }
    void raisedArmAndLeaningBack()
    {
        QFETCH(float, trunk);
        QFETCH(float, arm);
        QFETCH(float, measured);
        QFETCH(int, option);
        const SyntheticPose body{trunk, 10, 10, {arm, 30, 0}, {10, 80, 0}, 1};
        const PoseAngles angles = measureAngles(body.keypoints());
        QCOMPARE(qRound(angles.trunk.degrees), qRound(trunk));
        QCOMPARE(qRound(angles.upperArm[0].degrees), qRound(measured));
        QCOMPARE(suggestionFor(body.keypoints(), Region::UpperRightArm).option, option);
        if (trunk < 0) {
            const RegionSuggestion t = suggestionFor(body.keypoints(), Region::Trunk);
            QCOMPARE(t.option, 2); // Trunk option 3 covers 20 to 90 degrees of extension
        }
    }

    // A point moved off the picture is not measured; a point barely in sight leaves its
    // regions to the eye, and the other regions as they were.
    void hiddenAndMissingPoints_data()
    {
        QTest::addColumn<int>("landmark");
        QTest::addColumn<float>("visibility");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QList<Region>>("affected");
        QTest::addRow("right elbow hidden")
            << int(Landmark::RightElbow) << 0.2f << false
            << QList<Region>{Region::UpperRightArm, Region::LowerRightArm, Region::RightWrist};
        QTest::addRow("right elbow missing")
            << int(Landmark::RightElbow) << 0.99f << true
            << QList<Region>{Region::UpperRightArm, Region::LowerRightArm, Region::RightWrist};
        QTest::addRow("left knee hidden")
            << int(Landmark::LeftKnee) << 0.1f << false << QList<Region>{};
        QTest::addRow("both knees hidden")
            << int(Landmark::RightKnee) << 0.1f << false << QList<Region>{Region::Legs};
        QTest::addRow("ears hidden")
            << int(Landmark::RightEar) << 0.1f << false << QList<Region>{Region::Neck};
        QTest::addRow("right hip missing")
            << int(Landmark::RightHip) << 0.99f << true
            << QList<Region>{Region::Trunk, Region::Neck, Region::Legs, Region::UpperRightArm,
                             Region::UpperLeftArm};
    }
    void hiddenAndMissingPoints()
    {
        QFETCH(int, landmark);
        QFETCH(float, visibility);
        QFETCH(bool, missing);
        QFETCH(QList<Region>, affected);
        SyntheticPose body{35, 10, 45, {60, 80, 35}, {60, 80, 35}, 1};
        body.farVisibility = 0.3f; // the far side is guessed: only the near side counts
        Keypoints points = body.keypoints();
        Keypoint& p = points[std::size_t(landmark)];
        p.visibility = visibility;
        if (missing)
            p.x = std::numeric_limits<float>::quiet_NaN();
        if (QByteArray(QTest::currentDataTag()) == "both knees hidden")
            points[std::size_t(Landmark::LeftKnee)].visibility = 0.1f;
        // Only the far ear is guessed; the near one decides.
        if (QByteArray(QTest::currentDataTag()) == "ears hidden")
            points[std::size_t(Landmark::LeftEar)].visibility = 0.1f;
        for (const RegionSuggestion& s : suggestDrawings(measureAngles(points))) {
            const bool farArm = s.side == Side::Left && s.region != Region::Trunk &&
                                s.region != Region::Neck && s.region != Region::Legs;
            if (farArm)
                QVERIFY2(s.checkByEye(), "the far arm is only guessed");
            else if (affected.contains(s.region))
                QVERIFY2(s.verdict != RegionSuggestion::Verdict::Drawing,
                         qPrintable(QString::fromUtf8(regionCaption(s.region).data())));
            else
                QVERIFY2(s.verdict == RegionSuggestion::Verdict::Drawing,
                         qPrintable(QString::fromUtf8(regionCaption(s.region).data())));
            // The legs fall back on the other knee.
            if (missing && affected.contains(s.region) && s.region != Region::Legs)
                QVERIFY(!s.angle.measured);
        }
    }

    // The names shown and read out for each point and angle.
    void names()
    {
        QCOMPARE(landmarkName(Landmark::LeftElbow), "left elbow");
        QCOMPARE(landmarkName(Landmark::RightFootIndex), "right toes");
        QCOMPARE(angleName(Measure::Trunk, Side::Left), "trunk flexion");
        QCOMPARE(angleName(Measure::Elbow, Side::Right), "right elbow bend");
        QCOMPARE(regionCaption(Region::UpperLeftArm), "Upper Arm Left");
        QCOMPARE(regionCaption(Region::RightWrist), "Right Wrist");
    }
};

QTEST_APPLESS_MAIN(TestPoseAngles)
#include "test_pose_angles.moc"
