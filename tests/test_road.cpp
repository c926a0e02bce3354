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

#include <QFile>
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

// The frames painted red, read from their pixels.
QStringList highlightedFrames(const Main2& main2)
{
    QStringList names;
    for (int i = 0; i < int(Options.size()); ++i) {
        const QImage seen = main2.frame(i)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(seen.constBits());
        if (std::count(pixels, pixels + seen.width() * seen.height(), qRgb(255, 0, 0)) >
            seen.width() + seen.height())
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
    void init() { seams.install(); }
    void cleanup() { seams.resetAll(); }

    void exitOnTheFirstCautionEndsBeforeAnyOtherWindow()
    {
        Forms::show<CautionStatement>();
        QCOMPARE(Forms::get<CautionStatement>().windowTitle(),
                 QStringLiteral("KOLVE - Caution Statement"));
        click(Forms::get<CautionStatement>().Command2);
        QCOMPARE(seams.endRequests, 1);
        QVERIFY(!Forms::find<EmployeeDetails>());
        QVERIFY(!Forms::find<Main2>());
        QCOMPARE(Forms::get<CautionStatement>().Command2->text(), QStringLiteral("Exit "));
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

    // Sequences of clicks and what the person then sees and what is stored, from
    // tests/data/click-rules.txt.
    void clickRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("valueLabel");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("red");
        QFile file(QStringLiteral(VESK_TEST_DATA "/click-rules.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QStringList f = QString::fromUtf8(line).split(u'|');
            if (f.size() == 5 && !line.startsWith('#'))
                QTest::newRow(qPrintable(f[0]))
                    << f[1].split(u' ') << f[2] << f[3].toInt() << f[4].split(u' ');
        }
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

        click(caution.Command1); // accepted again: straight to the results
        QVERIFY(results.isVisible() && !caution.isVisible());
    }

    // Exit ends at once; closing a window asks first once the assessment has begun.
    void exitAndClosing()
    {
        Main2& main2 = reachPostureSelection();
        click(main2.Command8);
        click(Forms::get<EmployeeDetails>().Command2);
        QCOMPARE(seams.endRequests, 2);
        main2.close(); // answered No
        QCOMPARE(seams.messages, QStringList{"Do you want to quit without saving?"});
        QVERIFY(main2.isVisible());

        clickDrawings(main2, WorkedExample);
        click(main2.Command2);
        auto& caution = Forms::get<CautionStatement>();
        caution.close();
        QCOMPARE(seams.messages.size(), 2);
        QVERIFY(caution.isVisible());
        click(caution.Command2);
        QCOMPARE(seams.endRequests, 3);
        seams.answers = {true};
        caution.close();
        QCOMPARE(seams.endRequests, 4);

        seams.resetAll(); // before the assessment: closing ends without a question
        seams.install();
        Forms::show<CautionStatement>();
        Forms::get<CautionStatement>().close();
        Forms::show<EmployeeDetails>();
        Forms::get<EmployeeDetails>().close();
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

    // Designed positions at 96 DPI, in pixels (twips / 15).
    void designedPositions()
    {
        seams->availableArea = QSize(1920, 1040);
        Main2& main2 = reachPostureSelection();
        QCOMPARE(main2.Command2->geometry(), QRect(136, 96, 121, 49));
        QCOMPARE(Forms::get<EmployeeDetails>().Text1->geometry(), QRect(280, 112, 265, 33));
    }
};

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    TestRoad test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_road.moc"
