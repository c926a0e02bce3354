// Measuring on the task picture as a person does it: a point moved with the keyboard changes
// its angle and the suggestions at once, and Choose Suggested Drawings chooses them through the
// click rules, leaving what was chosen before alone where a second click would change it. The
// road measures a rendered figure with the model off the GUI thread, and stops a second
// measurement when asked.

#include "KeypointHandle.h"
#include "MeasurePicture.h"
#include "OpenPictureFile.h"
#include "OptionFrame.h"
#include "PoseView.h"
#include "SyntheticPose.h"
#include "WindowTest.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

namespace {

// Every region measured clear of its band's edges, facing right, the right side nearer.
const SyntheticPose Worker{40, 10, 40, {70, 80, 0}, {30, 30, 30}};
const QStringList Suggested = {"trunk3",   "neck1",  "leg3",   "Image98", "Image104",
                               "Image111", "Image2", "Image6", "Image3"};

QString row(const MeasurePicture& window, int region)
{
    return window.Suggestions->item(region)->text();
}

// The drawings, sorted, whose options pass `test`: chosen in the assessment, or highlighted.
template <typename Test> QStringList drawingsWhere(Test test)
{
    QStringList names;
    for (int i = 0; i < OptionCount; ++i) {
        if (test(Options[std::size_t(i)], i))
            names << text(Options[std::size_t(i)].drawing);
    }
    names.sort();
    return names;
}

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class TestMeasurePicture : public WindowTest
{
    Q_OBJECT

    void openTaskPicture(Main2& main2, const QString& path)
    {
        click(main2.Command3);
        emit road->pictureChooser().fileChosen(path);
        click(road->pictureChooser().cmdOpen);
    }

private slots:
    void movedPointThenChoose_data()
    {
        QTest::addColumn<int>("presses"); // Shift+Right on the right knee, 10 pixels each
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QStringList knee4 = QStringList(Suggested).replaceInStrings("leg3", "leg4");
        QTest::newRow("as measured") << 0 << QStringList() << Suggested;
        // Clicked again, the chosen knee drawing would give way to the other one.
        QTest::newRow("knee bent further, its drawing chosen before")
            << 3 << QStringList{"leg4"} << knee4;
        QTest::newRow("others chosen before")
            << 0 << QStringList{"trunk1", "trunk5", "leg4", "Image15"}
            << (QStringList(Suggested) << "trunk5"
                                       << "Image15");
    }
    void movedPointThenChoose()
    {
        QFETCH(int, presses);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Main2& main2 = walk::toPostureSelection(*road);
        walk::clickDrawings(main2, before);
        MeasurePicture& window = road->measurePicture();
        window.showInFront();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QImage picture(1200, 1000, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        window.showMeasuring(picture, picture.size());
        window.showKeypoints(Worker.keypoints());

        auto* knee = window.Picture->findChild<KeypointHandle*>("right knee");
        auto* bend = window.Picture->findChild<QLabel*>("right knee bend");
        QCOMPARE(accessibleName(knee), "right knee");
        QCOMPARE(accessibleName(bend), "right knee bend: 40°");
        QCOMPARE(row(window, 2), QStringLiteral("Legs: Option 3, knees bent 30°–60° (right knee "
                                                "bend 40°)"));
        knee->setFocus();
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(knee, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(bend->text() == "40°", presses == 0);
        QCOMPARE(row(window, 2).startsWith("Legs: Option 4"), presses > 0);
        QTest::keyClick(knee, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), "right ankle");

        const auto chosen = [&](const OptionSpec&, int i) {
            return road->assessment().isChosen(i);
        };
        const auto highlighted = [&](const OptionSpec& option, int) {
            return main2.findChild<OptionFrame*>(text(option.frame))->isHighlighted();
        };
        before.sort();
        after.sort();
        QCOMPARE(drawingsWhere(chosen), before);
        click(window.cmdChoose);
        QCOMPARE(drawingsWhere(chosen), after);
        QCOMPARE(drawingsWhere(highlighted), after);
    }

    void measuresOffTheGuiThreadAndStopsWhenAsked()
    {
        qputenv("VESK_POSE_MODELS", VESK_POSE_MODEL_DIR);
        QTemporaryDir dir;
        const QString path = dir.filePath("figure.jpg");
        QVERIFY(QFile::copy(dataPath("pose/side-03.jpg"), path));
        Main2& main2 = walk::toPostureSelection(*road);
        QVERIFY(main2.cmdMeasure->isHidden());
        openTaskPicture(main2, path);
        click(main2.cmdMeasure);
        MeasurePicture& window = road->measurePicture();
        QVERIFY(window.Busy->isVisible()); // the click came back while the model looks
        QTRY_VERIFY_WITH_TIMEOUT(!window.Busy->isVisible(), 120000);
        QVERIFY2(row(window, 0).startsWith("Trunk: Option 4, more than 60° flexion"),
                 qPrintable(window.Status->text()));
        QVERIFY(!road->assessment().hasAnyChoice());

        // Opened again, it is measured again; stopped midway, it leaves nothing to choose.
        openTaskPicture(main2, path);
        click(main2.cmdMeasure);
        QVERIFY(window.Busy->isVisible());
        click(window.cmdCancel);
        QTRY_VERIFY(!window.Busy->isVisible());
        QVERIFY2(window.Status->text().startsWith("Measuring was cancelled"),
                 qPrintable(window.Status->text()));
        QVERIFY(window.Suggestions->count() == 0 && !window.cmdChoose->isEnabled());

        // A picture gone since it was opened is said to be so.
        QVERIFY(QFile::remove(path));
        click(main2.cmdMeasure);
        QVERIFY(window.Status->text().startsWith("This picture could not be"));
        QVERIFY(!road->assessment().hasAnyChoice());
    }
};

QTEST_MAIN(TestMeasurePicture)
#include "test_measure_picture.moc"
