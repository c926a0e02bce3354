// The results worksheet, the risk level window and the help, driven as a person would.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "HelpWindow.h"
#include "Main2.h"
#include "OptionFrame.h"
#include "SvgPicture.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"
#include "WindowTest.h"
#include "Worksheet.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

// From start-up to the results window with the worked example (left 8, right 10).
VESKResults& reachResults(Road& road)
{
    walk::clickDrawings(walk::toPostureSelection(road), WorkedExample);
    return walk::toResults(road);
}

QString labelText(const QWidget& form, const char* label)
{
    return form.findChild<QLabel*>(QString::fromLatin1(label))->text();
}

} // namespace

class TestResults : public WindowTest
{
    Q_OBJECT

private slots:
    void backKeepsChoicesAndASecondComputationRewritesEveryLabel()
    {
        VESKResults& results = reachResults(*road);
        const Assessment before = road->assessment();
        results.Command2->click();
        Main2& main2 = road->main2();
        QVERIFY(main2.isVisible());
        QVERIFY(!results.isVisible());
        QVERIFY(road->assessment() == before);
        QCOMPARE(main2.findChild<QLabel*>("VESKTrunkScore")->text(), QStringLiteral("3"));

        // Right upper arm 3 -> 4: right posture score B 4 -> 5.
        walk::clickDrawings(main2, {"Image99"});
        main2.Command2->click();
        QVERIFY(road->caution().isVisible());
        road->caution().Command1->click();
        QVERIFY(results.isVisible());
        QCOMPARE(labelText(results, "Label9"), QStringLiteral("4"));
        QCOMPARE(labelText(results, "Label17"), QStringLiteral("5"));
        QCOMPARE(labelText(results, "Label21"), QStringLiteral("6"));
    }

    void wordsStayUntilRiskLevelsRunsAgain()
    {
        VESKResults& results = reachResults(*road);
        results.Command1->click();
        VESKRiskLevel& risk = road->riskLevel();
        QCOMPARE(risk.Label3->text(), QStringLiteral("High"));

        risk.Command2->click();
        QVERIFY(results.isVisible());
        QVERIFY(!risk.isVisible());
        results.Command2->click();
        Main2& main2 = road->main2();
        walk::clickDrawings(main2, {"Image14", "Image16"}); // coupling 3, one more activity
        main2.Command2->click();
        road->caution().Command1->click();
        QCOMPARE(labelText(results, "Label26"), QStringLiteral("12"));
        QCOMPARE(risk.Label3->text(), QStringLiteral("High"));

        results.Command1->click();
        QCOMPARE(risk.Label3->text(), QStringLiteral("Very High"));
    }

    void riskLevelTabOrder()
    {
        reachResults(*road).Command1->click();
        VESKRiskLevel& risk = road->riskLevel();
        QCOMPARE(nextTabStop(risk.Command3), risk.Command7);
        QCOMPARE(nextTabStop(risk.Command7), risk.Command2);
        QCOMPARE(nextTabStop(risk.Command2), risk.Command1);
    }

    // The reduction measures open their help file, or say where it should be. F1 opens the
    // program help; the setting names it in capitals until the mouse moves over the risk level
    // window, and both spellings find the same file.
    void helpFiles()
    {
        QTemporaryDir folder;
        seams->programFolder = folder.path();
        installHelpKey();
        reachResults(*road).Command1->click();
        VESKRiskLevel& risk = road->riskLevel();
        risk.Command3->click();
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY(seams.messages.first().contains(folder.filePath("reduction measures")));
        QVERIFY(!helpWindow());

        const QString help = QStringLiteral(VESK_SOURCE_DIR "/assets/help");
        seams->programFolder = help;
        risk.Command3->click();
        HelpWindow& window = *helpWindow();
        QVERIFY(window.isVisible() && risk.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Risk Reduction Measures"));
        QCOMPARE(window.browser->source().toLocalFile(),
                 help + "/reduction measures/helpfile.html");

        QVERIFY(platform::applicationHelpFile().endsWith("/HelpFile/HELPFILE.html"));
        QTest::keyClick(risk.Command7, Qt::Key_F1);
        QCOMPARE(window.windowTitle(), QStringLiteral("VESK Procedure – Help"));
        window.hide();
        QTest::mouseMove(&risk, QPoint(5, risk.height() - 5));
        QCOMPARE(platform::applicationHelpFile(), help + "/Helpfile/helpfile.html");
        QTest::keyClick(risk.Command7, Qt::Key_F1);
        QVERIFY(window.isVisible());
        QCOMPARE(seams.messages.size(), 1);
        QTest::keyClick(window.browser, Qt::Key_Escape);
        QVERIFY(!window.isVisible());

        // The reduction measures open at the graver of the two levels, scrolled to it.
        for (const auto& [left, right, part] : {std::tuple{"Very High", "Low", "veryhigh"},
                                                std::tuple{"Negligible", "Medium", "medium"}}) {
            risk.showRiskLevels(QString::fromLatin1(left), QString::fromLatin1(right));
            risk.Command3->click();
            QCOMPARE(window.browser->source().fragment(), QString::fromLatin1(part));
            QTRY_VERIFY(window.browser->verticalScrollBar()->value() > 0);
            click(window.closeButton);
            QVERIFY(!window.isVisible());
        }
    }
};

QTEST_MAIN(TestResults)
#include "test_results.moc"
