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
            QVERIFY(main2.SSTab2->widget(to)->isAncestorOf(QApplication::focusWidget()));
        }
    }

    void screenReaderHearsWhatDrawingsShowAndTheirScores_data()
    {
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heard"); // once it is chosen
        QTest::newRow("trunk3") << "trunk3"
                                << "Trunk: 20° to 60° flexion or extension"
                                << "Scores 3. Trunk score: 3";
        QTest::newRow("trunk5") << "trunk5"
                                << "Trunk: twisted or tilted to the side, plus 1"
                                << "Trunk score: 1";
        QTest::newRow("leg1") << "leg1"
                              << "Legs: weight on both legs, walking or sitting"
                              << "Scores 1. Legs score: 1";
        QTest::newRow("Image102") << "Image102"
                                  << "Right upper arm: arm supported or person leaning, minus 1"
                                  << "Right upper arm score: -1";
        QTest::newRow("Image2") << "Image2"
                                << "Left lower arm: elbow bent less than 60° or more than 100°"
                                << "Scores 2. Left lower arm score: 2";
        QTest::newRow("Image6") << "Image6"
                                << "Right wrist: 0° to 15° flexion or extension"
                                << "Scores 1. Right wrist score: 1";
    }
    void screenReaderHearsWhatDrawingsShowAndTheirScores()
    {
        QFETCH(QString, drawing);
        QFETCH(QString, name);
        QFETCH(QString, heard);
        Main2& main2 = reachPostureSelection(*road);
        auto* face = QAccessible::queryAccessibleInterface(main2.findChild<SvgPicture*>(drawing));
        QCOMPARE(face->text(QAccessible::Name), name);
        face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(face->text(QAccessible::Description), heard);
        QVERIFY(face->state().checked);
        // A main posture is a radio button in the group of its region, an adjustment a check box.
        const bool main = heard.startsWith("Scores");
        QCOMPARE(face->role(), main ? QAccessible::RadioButton : QAccessible::CheckBox);
        const QAccessibleInterface* group = face->parent()->parent();
        QCOMPARE(group->role() == QAccessible::Grouping, main);
        QVERIFY(!main || name.startsWith(group->text(QAccessible::Name) + ": "));
    }

    // Windows by their role and title, their pictures, lists and boxes by name; each value is
    // read with the name of its box, each risk word with its side.
    void screenReaderHearsWindowsPartsAndValues()
    {
        Main2& main2 = reachPostureSelection(*road);
        road->results().showScores(road->assessment().scores());
        road->riskLevel().showRiskLevels(QStringLiteral("High"), QStringLiteral("Low"));
        const std::tuple<QWidget*, const char*, QAccessible::Role, const char*> parts[] = {
            {&road->caution(), nullptr, QAccessible::Dialog, "KOLVE - Caution Statement"},
            {&road->overwrite(), nullptr, QAccessible::Dialog, "Overwrite File"},
            {&main2, nullptr, QAccessible::Window, "VESK"},
            {&main2, "Picture1", QAccessible::Graphic, "Task picture"},
            {&main2, "Label89", QAccessible::StaticText, "Right lower arm score"},
            {&main2, "UpperRightArm", QAccessible::StaticText, "Right upper arm score"},
            {&road->overview(), "Image1", QAccessible::Graphic, "Overview of the VESK method"},
            {&road->results(), "Image1", QAccessible::Graphic, "VESK scoring worksheet"},
            {&road->results(), "Label16", QAccessible::StaticText, "Left Posture Score B: 0"},
            {&road->riskLevel(), "Label2", QAccessible::StaticText, "Left Hand Side: High"},
            {&road->pictureChooser(), "Dir1", QAccessible::List, "Folders"},
            {&road->pictureChooser(), "File1", QAccessible::List, "Files"},
            {&road->extraPictureChooser(), "Text1", QAccessible::EditableText, "Path"},
            {&road->save(), "Dir1", QAccessible::List, "Folders and saved reports"},
        };
        for (const auto& [window, name, role, heard] : parts) {
            QObject* part = name ? window->findChild<QWidget*>(name) : window;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(part);
            QCOMPARE(face->role(), role);
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(heard));
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
            const QImage seen = window->grab().toImage();
            const QRect ring =
                QRect(button->mapTo(window, QPoint()), button->size()).adjusted(-1, -1, 1, 1);
            int black = 0, white = 0;
            for (int x = ring.left(); x <= ring.right(); ++x) {
                for (const int y : {ring.top(), ring.bottom()}) {
                    const int grey = qGray(seen.pixel(x, y));
                    black += grey < 40;
                    white += grey > 215;
                }
            }
            QVERIFY2(black > ring.width() / 3 && white > ring.width() / 3,
                     qPrintable(window->objectName()));
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
        for (QWidget* window : {static_cast<QWidget*>(&save), static_cast<QWidget*>(&overwrite)}) {
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        }
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
