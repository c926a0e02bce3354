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
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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
    void drawingTakesDoubleClickAsOneAndShowsFocusWithoutColour()
    {
        Main2& main2 = reachPostureSelection(*road);
        SvgPicture* picture = main2.findChild<SvgPicture*>("trunk5");
        // What a widget receives from a double click: press, release, double click, release.
        QTest::mouseClick(picture, Qt::LeftButton);
        QTest::mouseDClick(picture, Qt::LeftButton);
        QTest::mouseRelease(picture, Qt::LeftButton);
        QVERIFY(main2.findChild<OptionFrame*>("Frame13")->isHighlighted());

        // The focus frame is black and white, never to be taken for the red of a choice.
        const QImage focused = picture->grab().toImage();
        main2.Command3->setFocus();
        const QImage plain = picture->grab().toImage();
        int changed = 0, saturation = 0;
        for (int i = 0; i < plain.width() * plain.height(); ++i) {
            const QColor colour = focused.pixelColor(i % plain.width(), i / plain.width());
            const bool differs = colour != plain.pixelColor(i % plain.width(), i / plain.width());
            changed += differs;
            saturation = std::max(saturation, differs ? colour.hsvSaturation() : 0);
        }
        QCOMPARE_LT(saturation, 16);
        QVERIFY(changed > picture->width());
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
            QCOMPARE(QApplication::focusWidget()->parentWidget()->parentWidget(),
                     main2.SSTab2->widget(to));
        }
    }

    void screenReaderHearsDrawingsAndValues()
    {
        Main2& main2 = reachPostureSelection(*road);
        for (const OptionSpec& option : Options) {
            auto* frame = main2.findChild<OptionFrame*>(text(option.frame));
            auto* face = QAccessible::queryAccessibleInterface(frame->drawing);
            QCOMPARE(face->text(QAccessible::Name), text(option.caption));
            QCOMPARE(face->text(QAccessible::Description), frame->drawing->drawnWords());
            face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(frame->isHighlighted() && face->state().checked);
        }
        // Each region's row, caption and value label carries its designed name.
        for (const ScoreDisplay& d : ScoreDisplays) {
            for (const std::string_view name : {d.rowLabel, d.captionLabel, d.valueLabel})
                QVERIFY(main2.findChild<QLabel*>(QString::fromUtf8(name.data(), name.size())));
        }
        // Each value is read with the name of its box, each risk word with its side.
        road->results().showScores(road->assessment().scores());
        road->riskLevel().showRiskLevels(QStringLiteral("High"), QStringLiteral("Low"));
        const std::tuple<QWidget*, const char*, const char*> table[] = {
            {&main2, "VESKTrunkScore", "Trunk Score"},
            {&road->results(), "Label16", "Left Posture Score B"},
            {&road->riskLevel(), "Label2", "Left Hand Side"},
        };
        for (const auto& [form, name, caption] : table) {
            auto* label = form->findChild<QLabel*>(name);
            QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                     QStringLiteral("%1: %2").arg(caption, label->text()));
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
        for (QWidget* window : {static_cast<QWidget*>(&save), static_cast<QWidget*>(&overwrite)}) {
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        }
        // The real message box: room for the title and a window manager's icon and buttons.
        platform::ScopedSeams real;
        int width = 0;
        QTimer::singleShot(0, [&] {
            width = QApplication::activeModalWidget()->width();
            QApplication::activeModalWidget()->close();
        });
        platform::messageBox(QStringLiteral("File Saved"));
        QVERIFY(width > QFontMetrics(QFont()).horizontalAdvance(platform::ApplicationTitle) + 120);
    }
};

QTEST_MAIN(TestUsability)
#include "test_usability.moc"
