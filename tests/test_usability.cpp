// The windows as a new user meets them: at a small and a large screen, by mouse, by keyboard
// and through the accessibility interface a screen reader queries.

#include "CautionStatement.h"
#include "DriveList.h"
#include "EmployeeDetails.h"
#include "ExtraPics.h"
#include "FolderList.h"
#include "Main2.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "OptionFrame.h"
#include "OverwriteFile.h"
#include "Save.h"
#include "SvgPicture.h"
#include "VESKOverview.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"
#include "WindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

Main2& reachPostureSelection(Road& road)
{
    Main2& main2 = walk::toPostureSelection(road);
    main2.activateWindow();
    Q_UNUSED(QTest::qWaitForWindowActive(&main2));
    return main2;
}

} // namespace

class TestUsability : public WindowTest
{
    Q_OBJECT

private slots:
    void drawingTakesDoubleClickAsOne()
    {
        Main2& main2 = reachPostureSelection(*road);
        SvgPicture* picture = main2.findChild<SvgPicture*>("trunk5");
        // What a widget receives from a double click: press, release, double click, release.
        QTest::mouseClick(picture, Qt::LeftButton);
        QTest::mouseDClick(picture, Qt::LeftButton);
        QTest::mouseRelease(picture, Qt::LeftButton);
        QVERIFY(main2.findChild<OptionFrame*>("Frame13")->isHighlighted());
    }

    void screensShowWholeTabsAndLines_data()
    {
        // The free area, in logical pixels less a window's frame, of a small screen at 200 % and
        // of a large one at 100 %.
        QTest::addColumn<QSize>("area");
        QTest::newRow("1366x768 at 200%") << QSize(1366 / 2 - 16, 768 / 2 - 48);
        QTest::newRow("1920x1080 at 100%") << QSize(1920 - 16, 1080 - 48);
    }
    void screensShowWholeTabsAndLines()
    {
        QFETCH(QSize, area);
        seams->availableArea = area;
        Main2& main2 = reachPostureSelection(*road);
        for (QWidget* child : main2.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(QRect({}, area).contains(child->geometry()), qPrintable(child->objectName()));
        QTabBar* bar = main2.SSTab2->tabBar();
        for (int tab = 0; tab < bar->count(); ++tab) {
            QVERIFY2(bar->rect().contains(bar->tabRect(tab)), qPrintable(bar->tabText(tab)));
            QVERIFY(bar->tabRect(tab).width() >
                    QFontMetrics(bar->font()).horizontalAdvance(bar->tabText(tab)));
        }
        // The line between the leg postures and the knee options is drawn.
        const QImage line = main2.findChild<QWidget*>("Line1")->grab().toImage();
        QVERIFY(line.width() > 0 && qGray(line.pixel(0, line.height() / 2)) < 160);
    }

    void keysChangeTabFromAnywhere_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("to");
        QTest::newRow("Ctrl+Tab wraps") << 4 << QKeySequence(Qt::CTRL | Qt::Key_Tab) << 0;
        QTest::newRow("Ctrl+PgDn") << 3 << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << 4;
        QTest::newRow("Ctrl+PgUp wraps") << 0 << QKeySequence(Qt::CTRL | Qt::Key_PageUp) << 4;
        QTest::newRow("Alt+4") << 0 << QKeySequence(Qt::ALT | Qt::Key_4) << 3;
    }
    void keysChangeTabFromAnywhere()
    {
        QFETCH(int, from);
        QFETCH(QKeySequence, keys);
        QFETCH(int, to);
        Main2& main2 = reachPostureSelection(*road);
        // The window opens with the first drawing of the front tab in focus.
        QCOMPARE(QApplication::focusWidget(), main2.findChild<SvgPicture*>("trunk1"));
        // From a button outside the tabs as much as from a drawing; the focus goes to the tab.
        QWidget* drawingOnTab = main2.SSTab2->widget(from)->findChild<SvgPicture*>();
        for (QWidget* start : {static_cast<QWidget*>(main2.Command3), drawingOnTab}) {
            main2.SSTab2->setCurrentIndex(from);
            start->setFocus();
            QTest::keySequence(start, keys);
            QCOMPARE(main2.SSTab2->currentIndex(), to);
            QVERIFY(main2.SSTab2->widget(to)->isAncestorOf(QApplication::focusWidget()));
        }
    }

    // Drawings by what they show, with their score once chosen: a main posture a radio button
    // in the group of its region, an adjustment a check box. Windows by their role and title,
    // their pictures, lists and boxes by name, values with the name of their box.
    void screenReaderHearsDrawingsWindowsAndValues()
    {
        Main2& main2 = reachPostureSelection(*road);
        road->results().showScores(road->assessment().scores());
        road->riskLevel().showRiskLevels(QStringLiteral("High"), QStringLiteral("Low"));
        road->overwrite();
        road->overview();
        road->pictureChooser();
        road->extraPictureChooser();
        road->save();
        const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
        for (const QStringList& f : dataRows(QStringLiteral("spoken.txt"), u'|')) {
            if (f[0] == "part") {
                QObject* part = madeWindow(f[1]);
                part = f[2] == "-" ? part : part->findChild<QWidget*>(f[2]);
                QAccessibleInterface* face = QAccessible::queryAccessibleInterface(part);
                QCOMPARE(face->role(), roles.keyToValue(qPrintable(f[3])));
                QCOMPARE(face->text(QAccessible::Name), f[4]);
                continue;
            }
            auto* face = QAccessible::queryAccessibleInterface(main2.findChild<SvgPicture*>(f[1]));
            QCOMPARE(face->text(QAccessible::Name), f[2]);
            face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QCOMPARE(face->text(QAccessible::Description), f[3]);
            QVERIFY(face->state().checked);
            const bool main = f[3].startsWith("Scores");
            QCOMPARE(face->role(), main ? QAccessible::RadioButton : QAccessible::CheckBox);
            const QAccessibleInterface* group = face->parent()->parent();
            QCOMPARE(group->role() == QAccessible::Grouping, main);
            QVERIFY(!main || f[2].startsWith(group->text(QAccessible::Name) + ": "));
        }
        // Each region's row, caption and value label carries its designed name.
        for (const ScoreDisplay& d : ScoreDisplays) {
            for (const std::string_view name : {d.rowLabel, d.captionLabel, d.valueLabel})
                QVERIFY(main2.findChild<QLabel*>(QString::fromUtf8(name.data(), name.size())));
        }
    }

    // Windows that open with a button in focus show it at once: a ring of black and white
    // dashes around the button.
    void focusIsMarkedWhenAWindowOpensWithIt()
    {
        road->start();
        const std::pair<Form*, QPushButton*> opened[] = {
            {&road->caution(), road->caution().Command1},
            {&road->results(), road->results().Command1},
            {&road->riskLevel(), road->riskLevel().Command3},
        };
        for (const auto& [window, button] : opened) {
            window->showInFront();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), button);
            // Along the lines just outside the button: as many black dashes as white gaps.
            const QImage seen = window->grab().toImage();
            const QRect ring =
                QRect(button->mapTo(window, QPoint()), button->size()).adjusted(-1, -1, 1, 1);
            int black = 0, white = 0;
            for (int x = ring.left(); x <= ring.right(); ++x) {
                for (const int y : {ring.top(), ring.bottom()}) {
                    black += qGray(seen.pixel(x, y)) < 40;
                    white += qGray(seen.pixel(x, y)) > 215;
                }
            }
            QVERIFY2(std::min(black, white) > ring.width() / 3, qPrintable(window->objectName()));
            window->hide();
        }
    }

    void saveWindowsTakeKeysKeepTheirSizeAndStayInSight()
    {
        QTemporaryDir folder;
        seams->volumes = [&] { return volumesAt({QDir::rootPath(), folder.path()}); };
        Save& save = road->save();
        save.show();
        save.Drive1->setListIndex(1); // another drive: the folder list follows it
        QCOMPARE(save.Dir1->Path(), folder.path());
        // Arrow keys in the folder list only move the selection, Enter opens, letters find, a click
        // opens.
        for (const char* name : {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot"})
            QDir(folder.path()).mkdir(QLatin1String(name));
        QVERIFY(save.Dir1->setPath(folder.path()));
        save.Dir1->setFocus();
        for (int step = 0; step < 6; ++step)
            QTest::keyClick(save.Dir1, Qt::Key_Down);
        QCOMPARE(save.Dir1->ListIndex(), 5);
        QTest::keyClicks(save.Dir1, QStringLiteral("d"));
        QCOMPARE(save.Dir1->ListIndex(), 3);
        QCOMPARE(save.Dir1->Path(), folder.path());
        QTest::keyClick(save.Dir1, Qt::Key_Return);
        QCOMPARE(save.Dir1->Path(), folder.filePath("delta"));
        QVERIFY(save.Dir1->setPath(folder.path()));
        save.Dir1->setListIndex(0); // a click, unlike the arrow keys, opens at once
        emit save.Dir1->Click();
        QCOMPARE(save.Dir1->Path(), folder.filePath("alpha"));
        QVERIFY(save.Dir1->setPath(folder.path()));
        save.Text1->setText(QStringLiteral("Twice"));
        QFile(folder.filePath("Twice VESK Analysis.txt")).open(QIODevice::WriteOnly);
        save.Command1->click();
        OverwriteFile& overwrite = road->overwrite();
        QVERIFY(overwrite.isVisible());
        QVERIFY(!overwrite.frameGeometry().contains(save.frameGeometry()));
        // The reports of the folder are listed; clicking one takes its name.
        save.Dir1->refresh();
        const QList<QListWidgetItem*> report =
            save.Dir1->findItems(QStringLiteral("Twice VESK Analysis.txt"), Qt::MatchEndsWith);
        QCOMPARE(report.size(), 1);
        save.Dir1->setCurrentItem(report.first());
        emit save.Dir1->Click();
        QCOMPARE(save.Text1->text(), QStringLiteral("Twice"));
        // A path typed as the name is a folder and a name; the next run's dialog starts there,
        // a run started on a report in the folder of that report.
        save.Text1->setText(QStringLiteral("echo/Typed"));
        save.Command1->click();
        QVERIFY(QFile::exists(folder.filePath("echo/Typed VESK Analysis.txt")));
        road = std::make_unique<Road>();
        QCOMPARE(road->save().Dir1->Path(), folder.filePath("echo"));
        road = std::make_unique<Road>();
        road->startFrom(Assessment(), folder.filePath("delta"));
        QCOMPARE(road->save().Dir1->Path(), folder.filePath("delta"));
    }
};

QTEST_MAIN(TestUsability)
#include "test_usability.moc"
