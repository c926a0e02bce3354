// The road of an assessment as a person walks it: the caution statement, the employee
// details, the posture selection window with its click rules, and View Results.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "GuardedApplication.h"
#include "Main2.h"
#include "PictureBox.h"
#include "SvgPicture.h"
#include "VESKResults.h"
#include "WindowTest.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

namespace {

QString labelText(const QWidget& form, const char* name)
{
    auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

} // namespace

using namespace walk;

class TestRoad : public WindowTest
{
    Q_OBJECT

private slots:
    void enterContinuesOnlyFromTheLocationBox()
    {
        road->start();
        click(road->caution().Command1);
        EmployeeDetails& details = road->details();
        QTest::keyClicks(details.Text1, QStringLiteral("O'Brien"));
        QTest::keyClick(details.Text1, Qt::Key_Return);
        QTest::keyClicks(details.Text2, QStringLiteral("E-12"));
        QTest::keyClick(details.Text2, Qt::Key_Return);
        QVERIFY(!madeWindow("Main2"));
        QVERIFY(!road->assessment().employee());

        QTest::keyClicks(details.Text3, QStringLiteral("Bay 4"));
        QTest::keyClick(details.Text3, Qt::Key_Return);
        QVERIFY(road->main2().isVisible());
        QVERIFY(!details.isVisible());
        QCOMPARE(*road->assessment().employee(), (Employee{"OBrien", "E-12", "Bay 4"}));
        QCOMPARE(details.Text1->text(), QStringLiteral("O'Brien"));
    }

    // What a paste brings into an employee box, and what the box keeps.
    void pastedTextIsCleanedAsItEnters_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
        QTest::newRow("typed") << QString(205, QLatin1Char('x')) << QString(200, QLatin1Char('x'));
        QTest::newRow("line break") << "Anna\r\nSmith" << QStringLiteral("Anna Smith");
        QTest::newRow("trailing line break") << "Anna\r\n" << QStringLiteral("Anna");
        QTest::newRow("tabs, DEL and C1") << "a\tb\x7F"
                                             "c\u0085d"
                                          << QStringLiteral("a b c d");
        // (From a literal, QString drops a leading FEFF before the box ever sees it.)
        QTest::newRow("invisible FEFF")
            << QChar(0xFEFF) + QStringLiteral("An\uFEFFna") << QStringLiteral("Anna");
        QTest::newRow("half a character") << QString(QChar(0xD83D)) + "x" << QStringLiteral("x");
        QTest::newRow("limit between halves")
            << "a" + emoji.repeated(100) << "a" + emoji.repeated(99);
        QTest::newRow("no-break space kept")
            << "Anna\u00A0Smith" << QStringLiteral("Anna\u00A0Smith");
    }

    void pastedTextIsCleanedAsItEnters()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        road->start();
        click(road->caution().Command1);
        EmployeeDetails& details = road->details();
        for (QLineEdit* box : {details.Text1, details.Text2, details.Text3}) {
            box->insert(pasted);
            QCOMPARE(box->text(), kept);
        }
        click(details.Command1);
        QCOMPARE(road->assessment().EmployeeName(), kept);
    }

    // Details the text report cannot hold as typed are named at Continue with how the report
    // will hold them; the assessment (and with it the database) keeps them as typed.
    void detailsOutsideTheCodePageAreNamed()
    {
        toPostureSelection(*road, QStringLiteral("Łukasz Wiśniewski"), QStringLiteral("E-1"),
                           QStringLiteral("東京"));
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY2(seams.messages[0].contains(QStringLiteral(
                     "\"Łukasz Wiśniewski\" as \"Lukasz Wisniewski\" and \"東京\" as \"??\"")),
                 qPrintable(seams.messages[0]));
        QCOMPARE(road->assessment().EmployeeName(), QStringLiteral("Łukasz Wiśniewski"));
    }

    void everyMissingRegionIsReportedInOrder()
    {
        Main2& main2 = toPostureSelection(*road);
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
        QVERIFY(!madeWindow("VESKResults"));
        // The tab of the first region missing comes to the front, its first drawing in focus.
        clickDrawings(main2, {"trunk1", "neck1", "leg1"});
        click(main2.Command2);
        QCOMPARE(main2.SSTab2->currentIndex(), 1);
        QCOMPARE(main2.focusWidget(), main2.findChild<SvgPicture*>("Image96"));
    }

    void workedExampleThroughViewResults()
    {
        Main2& main2 = toPostureSelection(*road, QStringLiteral("Anna"));
        clickDrawings(main2, WorkedExample);
        click(main2.Command2);
        QVERIFY(seams.messages.isEmpty());

        CautionStatement& caution = road->caution();
        QVERIFY(caution.isVisible());
        QVERIFY(!main2.isVisible());
        VESKResults& results = road->results();
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

        click(caution.Command1); // accepted again: straight to the results
        QVERIFY(results.isVisible() && !caution.isVisible());
    }

    // Exit ends at once while nothing would be lost; once a drawing is chosen or a detail typed,
    // every Exit asks first, and No (the default) keeps the assessment.
    void exitAsksOnceSomethingWouldBeLost_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("drawings");
        QTest::addColumn<bool>("asks");
        const QStringList some{"trunk2"};
        QTest::newRow("first caution") << "CautionStatement"
                                       << "" << QStringList() << false;
        QTest::newRow("details, nothing typed") << "EmployeeDetails"
                                                << "" << QStringList() << false;
        QTest::newRow("details, a name typed") << "EmployeeDetails"
                                               << "Ann" << QStringList() << true;
        QTest::newRow("posture, nothing") << "Main2"
                                          << "" << QStringList() << false;
        QTest::newRow("posture, a name confirmed") << "Main2"
                                                   << "Ann" << QStringList() << true;
        QTest::newRow("posture, a drawing") << "Main2"
                                            << "" << some << true;
        QTest::newRow("second caution") << "CautionStatement"
                                        << "" << WorkedExample << true;
        QTest::newRow("results") << "VESKResults"
                                 << "" << WorkedExample << true;
        QTest::newRow("risk levels") << "VESKRiskLevel"
                                     << "" << WorkedExample << true;
    }
    void exitAsksOnceSomethingWouldBeLost()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QStringList, drawings);
        QFETCH(bool, asks);
        road->start();
        if (window != "CautionStatement" || !drawings.isEmpty()) {
            click(road->caution().Command1);
            QTest::keyClicks(road->details().Text1, typed);
            if (window != "EmployeeDetails") {
                click(road->details().Command1);
                clickDrawings(road->main2(), drawings);
                if (window != "Main2")
                    click(road->main2().Command2);
                if (window == "VESKResults" || window == "VESKRiskLevel")
                    click(road->caution().Command1);
                if (window == "VESKRiskLevel")
                    click(road->results().Command1);
            }
        }
        QWidget* shown = madeWindow(window);
        QVERIFY(shown && shown->isVisible());
        auto* exit =
            shown->findChild<QPushButton*>(window == "VESKRiskLevel" ? "Command1" : "Command8");
        if (!exit)
            exit = shown->findChild<QPushButton*>("Command2");
        QVERIFY(exit && exit->text().contains("Exit"));
        for (const bool answer : {false, true}) {
            seams.answers = {answer};
            click(exit);
            QCOMPARE(seams.messages.size(), asks ? (answer ? 2 : 1) : 0);
            QCOMPARE(seams.endRequests, asks && !answer ? 0 : 1);
            if (!asks)
                break;
        }
        if (asks)
            QCOMPARE(seams.messages.last(), QStringLiteral("Do you want to quit without saving?"));
    }

    // The assessment in progress is kept while the run goes on and gone once the person quits;
    // one a run left behind is offered at the next start, and continued or thrown away.
    void recoveryIsKeptOfferedAndThrownAway()
    {
        const auto kept = [this] {
            return QDir(recoveries->path()).entryList({"recovery-*.txt"}, QDir::Files);
        };
        clickDrawings(toPostureSelection(*road, QStringLiteral("Anna")), {"trunk2", "neck1"});
        QCOMPARE(kept().size(), 1);
        const Assessment before = road->assessment();
        road.reset(); // the run ends without a word: killed, say
        for (const bool answer : {false, true}) {
            if (answer) { // the same left behind once more
                Recovery ended(recoveries->path());
                QVERIFY(ended.keep(before));
            }
            road = std::make_unique<Road>(recoveries->path());
            seams.answers = {answer};
            road->offerRecovery();
            QVERIFY2(seams.messages.last().startsWith("An assessment of Anna from "),
                     qPrintable(seams.messages.last()));
            QVERIFY(seams.messages.last().endsWith(" was not saved. Continue it?"));
            QCOMPARE(road->assessment().chosen(), answer ? before.chosen() : Assessment().chosen());
            QCOMPARE(kept().size(), answer ? 1 : 0);
            road.reset();
        }
        road = std::make_unique<Road>(recoveries->path());
        road->offerRecovery(); // continued by the run before, which ended too: offered again
        QCOMPARE(seams.messages.size(), 3);
        seams.answers = {true};
        click(road->caution().Command2);
        QCOMPARE(kept().size(), 0);
    }

    // Closing a window of the road asks first once the assessment has begun; before it, closing
    // ends without a question.
    void closing()
    {
        Main2& main2 = toPostureSelection(*road);
        main2.close(); // answered No
        QCOMPARE(seams.messages, QStringList{"Do you want to quit without saving?"});
        QVERIFY(main2.isVisible() && seams.endRequests == 0);
        clickDrawings(main2, WorkedExample);
        click(main2.Command2);
        seams.answers = {true};
        road->caution().close();
        QCOMPARE(seams.endRequests, 1);

        restart();
        road->start();
        road->caution().close();
        road->details().show();
        road->details().close();
        QCOMPARE(seams.endRequests, 2);
        QVERIFY(seams.messages.isEmpty());
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
};

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    TestRoad test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_road.moc"
