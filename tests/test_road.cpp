// The road of an assessment as a person walks it: the caution statement, the employee
// details, the posture selection window with its click rules, and View Results.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "GuardedApplication.h"
#include "Main2.h"
#include "OptionFrame.h"
#include "PictureBox.h"
#include "SvgPicture.h"
#include "VESKResults.h"
#include "WindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <map>
#include <stdexcept>

namespace {

void click(QWidget* widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QString labelText(const QWidget& form, const char* name)
{
    auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

QStringList highlightedFrames(const Main2& main2)
{
    QStringList names;
    for (int i = 0; i < int(Options.size()); ++i) {
        if (main2.frame(i)->BackColor() == 255)
            names << main2.frame(i)->objectName();
    }
    return names;
}

} // namespace

using namespace road;

class TestRoad : public QObject
{
    Q_OBJECT

    SeamRecorder seams;

private slots:
    void init()
    {
        seams.resetAll();
        seams.install();
    }
    void cleanup() { seams.resetAll(); }

    void exitOnTheFirstCautionEndsBeforeAnyOtherWindow()
    {
        Forms::show<CautionStatement>();
        click(Forms::get<CautionStatement>().Command2);
        QCOMPARE(seams.endRequests, 1);
        QVERIFY(!Forms::find<EmployeeDetails>());
        QVERIFY(!Forms::find<Main2>());
        QCOMPARE(Forms::get<CautionStatement>().Command2->text(), QStringLiteral("Exit "));
    }

    void firstAcceptLeadsToEmployeeDetails()
    {
        Forms::show<CautionStatement>();
        auto& caution = Forms::get<CautionStatement>();
        QCOMPARE(caution.windowTitle(), QStringLiteral("KOLVE - Caution Statement"));
        click(caution.Command1);
        QVERIFY(Forms::get<EmployeeDetails>().isVisible());
        QVERIFY(!caution.isVisible());
        QCOMPARE(Module1::CautionAccepted, std::int16_t(1));
        QVERIFY(!Forms::find<VESKResults>());
    }

    void enterContinuesOnlyFromTheLocationBox()
    {
        Forms::show<CautionStatement>();
        click(Forms::get<CautionStatement>().Command1);
        auto& details = Forms::get<EmployeeDetails>();
        QTest::keyClicks(details.Text1, QStringLiteral("O'Brien"));
        QTest::keyClick(details.Text1, Qt::Key_Return);
        QTest::keyClicks(details.Text2, QStringLiteral("E-12"));
        QTest::keyClick(details.Text2, Qt::Key_Return);
        QVERIFY(!Forms::find<Main2>());
        QVERIFY(Module1::EmployeeName.isEmpty());

        QTest::keyClicks(details.Text3, QStringLiteral("Bay 4"));
        QTest::keyClick(details.Text3, Qt::Key_Return);
        QVERIFY(Forms::get<Main2>().isVisible());
        QVERIFY(!details.isVisible());
        QCOMPARE(Module1::EmployeeName, TaggedValue("OBrien"));
        QCOMPARE(Module1::ReportFields[123], TaggedValue("OBrien"));
        QCOMPARE(Module1::ReportFields[125], TaggedValue("E-12"));
        QCOMPARE(Module1::ReportFields[127], TaggedValue("Bay 4"));
        QCOMPARE(details.Text1->text(), QStringLiteral("O'Brien"));
    }

    // What a paste brings into an employee box, and what the box keeps.
    void pastedTextIsCleanedAsItEnters_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
        QTest::newRow("typed") << QString(205, QLatin1Char('x')) << QString(200, QLatin1Char('x'));
        QTest::newRow("line break") << "Anna\r\nSmith"
                                    << "Anna Smith";
        QTest::newRow("trailing line break") << "Anna\r\n"
                                             << "Anna";
        QTest::newRow("tabs, DEL and C1") << "a\tb\x7F"
                                             "c\u0085d"
                                          << "a b c d";
        QTest::newRow("invisible FEFF") << "\uFEFFAnna"
                                        << "Anna";
        QTest::newRow("half a character") << QString(QChar(0xD83D)) + "x"
                                          << "x";
        QTest::newRow("limit between halves")
            << "a" + emoji.repeated(100) << "a" + emoji.repeated(99);
        QTest::newRow("no-break space kept") << "Anna\u00A0Smith"
                                             << "Anna\u00A0Smith";
    }

    void pastedTextIsCleanedAsItEnters()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        Forms::show<CautionStatement>();
        click(Forms::get<CautionStatement>().Command1);
        auto& details = Forms::get<EmployeeDetails>();
        for (QLineEdit* box : {details.Text1, details.Text2, details.Text3}) {
            box->insert(pasted);
            QCOMPARE(box->text(), kept);
        }
        click(details.Command1);
        QCOMPARE(Module1::ReportFields[123].toText(), kept);
    }

    // Sequences of clicks and what the person then sees and what is stored.
    void clickRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("valueLabel");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("red");

        QTest::newRow("trunk twist first")
            << QStringList{"trunk5"} << "VESKTrunkScore" << 1 << QStringList{"Frame13"};
        QTest::newRow("trunk twist then option 3")
            << QStringList{"trunk5", "trunk3"} << "VESKTrunkScore" << 4
            << QStringList{"Frame11", "Frame13"};
        QTest::newRow("trunk twist off again") << QStringList{"trunk5", "trunk3", "trunk5"}
                                               << "VESKTrunkScore" << 3 << QStringList{"Frame11"};
        QTest::newRow("base replaces base")
            << QStringList{"trunk2", "trunk1"} << "VESKTrunkScore" << 1 << QStringList{"Frame9"};
        QTest::newRow("same base twice")
            << QStringList{"neck2", "neck2"} << "VESKNeckScore" << 2 << QStringList{"Frame15"};
        QTest::newRow("arm supported alone")
            << QStringList{"Image102"} << "UpperRightArm" << -1 << QStringList{"Frame27"};
        QTest::newRow("arm supported, option 2, abducted")
            << QStringList{"Image102", "Image97", "Image100"} << "UpperRightArm" << 2
            << QStringList{"Frame22", "Frame25", "Frame27"};
        QTest::newRow("left arm all adjustments")
            << QStringList{"Image106", "Image107", "Image108", "Image109"} << "UpperLeftArm" << 5
            << QStringList{"Frame31", "Frame32", "Frame33", "Frame34"};
        QTest::newRow("legs 1, knee 3") << QStringList{"leg1", "leg3"} << "VESKLegsScore" << 2
                                        << QStringList{"Frame17", "Frame19"};
        QTest::newRow("knee 3 again moves to 4")
            << QStringList{"leg1", "leg3", "leg3"} << "VESKLegsScore" << 3
            << QStringList{"Frame17", "Frame20"};
        QTest::newRow("then knee 4 moves back to 3")
            << QStringList{"leg1", "leg3", "leg3", "leg4"} << "VESKLegsScore" << 2
            << QStringList{"Frame17", "Frame19"};
        QTest::newRow("knee 4 replaces knee 3")
            << QStringList{"leg2", "leg3", "leg4"} << "VESKLegsScore" << 4
            << QStringList{"Frame18", "Frame20"};
        QTest::newRow("knee before base, then base")
            << QStringList{"leg4", "leg2"} << "VESKLegsScore" << 4
            << QStringList{"Frame18", "Frame20"};
        QTest::newRow("load and coupling option 1 give 0")
            << QStringList{"Image10", "Image7"} << "CouplingScore" << 0
            << QStringList{"Frame35", "Frame39"};
        QTest::newRow("load 3 with shock") << QStringList{"Image12", "Image11"} << "ForceScore" << 3
                                           << QStringList{"Frame37", "Frame38"};
        QTest::newRow("activities in any order")
            << QStringList{"Image17", "Image15", "Image16", "Image15"} << "ActivityScore" << 2
            << QStringList{"Frame44", "Frame45"};
        QTest::newRow("lower arm and wrist")
            << QStringList{"Image111", "Image110", "Image4"} << "LowerRightArm" << 2
            << QStringList{"Frame2", "Frame7"};
    }

    void clickRules()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, valueLabel);
        QFETCH(int, score);
        QFETCH(QStringList, red);
        Main2& main2 = reachPostureSelection();
        for (const QString& name : clicks)
            clickDrawing(main2, name);
        QCOMPARE(labelText(main2, valueLabel.toLatin1().constData()), QString::number(score));
        QStringList highlighted = highlightedFrames(main2);
        highlighted.sort();
        red.sort();
        QCOMPARE(highlighted, red);
        const std::map<QString, const std::int16_t*> stored = {
            {"VESKTrunkScore", &Module1::TrunkScore},
            {"VESKNeckScore", &Module1::NeckScore},
            {"VESKLegsScore", &Module1::LegsScore},
            {"UpperRightArm", &Module1::UpperRightArmScore},
            {"UpperLeftArm", &Module1::UpperLeftArmScore},
            {"LowerRightArm", &Module1::LowerRightArmScore},
            {"ForceScore", &Module1::LoadForceScore},
            {"CouplingScore", &Module1::CouplingScoreValue},
            {"ActivityScore", &Module1::ActivityScoreValue}};
        QCOMPARE(int(*stored.at(valueLabel)), score);
    }

    void everyMissingRegionIsReportedInOrder()
    {
        Main2& main2 = reachPostureSelection();
        clickDrawing(main2, QStringLiteral("Image15"));
        click(main2.Command2);
        QCOMPARE(seams.messages.size(), 11);
        QCOMPARE(seams.messages.first(),
                 QStringLiteral("You have not filled in all of the fields for the Trunk"));
        QCOMPARE(
            seams.messages[3],
            QStringLiteral("You have not filled in all of the fields for the Upper Arm (Right)"));
        QCOMPARE(seams.messages.last(),
                 QStringLiteral("You have not filled in all of the fields for Coupling"));
        QVERIFY(seams.titles.count(QStringLiteral("VESK Procedure")) == 11);
        QVERIFY(main2.isVisible());
        QVERIFY(!Forms::find<VESKResults>());
        QVERIFY(Module1::ReportFields[21].isEmpty());
    }

    void onlyTheCouplingMissing()
    {
        Main2& main2 = reachPostureSelection();
        for (const QString& name : WorkedExample) {
            if (name != "Image8")
                clickDrawing(main2, name);
        }
        click(main2.Command2);
        QCOMPARE(seams.messages,
                 QStringList{"You have not filled in all of the fields for Coupling"});
        QCOMPARE(Module1::LeftVESKScore, std::int16_t(0));
        QVERIFY(main2.isVisible());
    }

    void workedExampleThroughViewResults()
    {
        Main2& main2 = reachPostureSelection(QStringLiteral("Anna"));
        for (const QString& name : WorkedExample)
            clickDrawing(main2, name);
        click(main2.Command2);
        QVERIFY(seams.messages.isEmpty());

        auto& caution = Forms::get<CautionStatement>();
        QVERIFY(caution.isVisible());
        QVERIFY(!main2.isVisible());
        auto& results = Forms::get<VESKResults>();
        QVERIFY(!results.isVisible());
        const std::pair<const char*, int> labels[] = {
            {"Label5", 3},  {"Label6", 2},   {"Label7", 2},  {"Label8", 2},  {"Label9", 3},
            {"Label10", 2}, {"Label11", 1},  {"Label12", 1}, {"Label13", 2}, {"Label14", 5},
            {"Label15", 1}, {"Label16", 2},  {"Label17", 4}, {"Label18", 1}, {"Label19", 6},
            {"Label20", 3}, {"Label21", 5},  {"Label22", 6}, {"Label23", 8}, {"Label24", 2},
            {"Label25", 8}, {"Label26", 10},
        };
        for (const auto& [name, value] : labels)
            QCOMPARE(labelText(results, name), QString::number(value));
        const std::pair<int, int> entries[] = {{5, 2},  {7, 1},  {9, 2},  {15, 3},
                                               {17, 2}, {19, 1}, {21, 3}, {23, 2},
                                               {25, 2}, {27, 1}, {29, 1}, {31, 2}};
        for (const auto& [entry, value] : entries)
            QCOMPARE(Module1::ReportFields[entry], TaggedValue(std::int16_t(value)));
        QVERIFY(Module1::ReportFields[1].isEmpty());

        click(caution.Command1);
        QVERIFY(results.isVisible());
        QVERIFY(!caution.isVisible());
        QVERIFY(!Forms::get<EmployeeDetails>().isVisible());
    }

    void exitButtonsEndTheProgram()
    {
        Main2& main2 = reachPostureSelection();
        click(main2.Command8);
        QCOMPARE(seams.endRequests, 1);
        click(Forms::get<EmployeeDetails>().Command2);
        QCOMPARE(seams.endRequests, 2);
        QVERIFY(seams.messages.isEmpty());
    }

    void closingThePostureWindowAsksFirst()
    {
        Main2& main2 = reachPostureSelection();
        seams.answers = {false};
        main2.close();
        QCOMPARE(seams.messages, QStringList{"Do you want to quit without saving?"});
        QCOMPARE(seams.endRequests, 0);
        QVERIFY(main2.isVisible());
        seams.answers = {true};
        main2.close();
        QCOMPARE(seams.endRequests, 1);
    }

    void closingTheFirstWindowsEndsTheProgram()
    {
        Forms::show<CautionStatement>();
        Forms::get<CautionStatement>().close();
        QCOMPARE(seams.endRequests, 1);
        Forms::show<EmployeeDetails>();
        Forms::get<EmployeeDetails>().close();
        QCOMPARE(seams.endRequests, 2);
        QVERIFY(seams.messages.isEmpty());
    }

    void closingTheCautionAfterViewResultsAsksFirst()
    {
        Main2& main2 = reachPostureSelection();
        for (const QString& name : WorkedExample)
            clickDrawing(main2, name);
        click(main2.Command2);
        auto& caution = Forms::get<CautionStatement>();
        seams.answers = {false};
        caution.close();
        QCOMPARE(seams.messages, QStringList{"Do you want to quit without saving?"});
        QCOMPARE(seams.endRequests, 0);
        QVERIFY(caution.isVisible());
        click(caution.Command2); // its Exit still ends at once
        QCOMPARE(seams.endRequests, 1);
    }

    // An exception escaping an event handler is shown and the program goes on.
    void escapedExceptionBecomesAMessage()
    {
        struct Throwing : QObject
        {
            bool event(QEvent*) override { throw std::runtime_error("disk gone"); }
        } receiver;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&receiver, &event));
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY(seams.messages.first().contains("disk gone"));
        QCOMPARE(seams.endRequests, 0);
    }

    // Designed positions at 96 DPI, in pixels (twips / 15).
    void designedPositions()
    {
        seams->availableArea = QSize(1920, 1040);
        Main2& main2 = reachPostureSelection();
        QCOMPARE(main2.Command2->geometry(), QRect(136, 96, 121, 49));
        QCOMPARE(Forms::get<EmployeeDetails>().Text1->geometry(), QRect(280, 112, 265, 33));
    }

    void smallScreenShowsEverything()
    {
        seams->availableArea = QSize(900, 560);
        Main2& main2 = reachPostureSelection();
        QVERIFY(main2.zoom() < 0.8);
        const QRect client(QPoint(0, 0), QSize(900, 560));
        for (QWidget* child : main2.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
        QVERIFY(main2.Command2->font().pointSizeF() < 12 * 0.8);
    }
};

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    TestRoad test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_road.moc"
