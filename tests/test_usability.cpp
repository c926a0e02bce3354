// The windows as a new user meets them: at a small and a large screen, by mouse, by keyboard
// and through the accessibility interface a screen reader queries; and the help against them.

#include "CautionStatement.h"
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

Main2& reachPostureSelection(bool active = false)
{
    Forms::show<CautionStatement>();
    Forms::get<CautionStatement>().Command1->click();
    Forms::get<EmployeeDetails>().Command1->click();
    Main2& main2 = Forms::get<Main2>();
    if (active) {
        main2.activateWindow();
        Q_UNUSED(QTest::qWaitForWindowActive(&main2));
    }
    return main2;
}

SvgPicture* drawing(const Main2& main2, const char* name)
{
    return main2.findChild<SvgPicture*>(QLatin1String(name));
}

} // namespace

class TestUsability : public QObject
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

    void doubleClickCountsAsOneClick()
    {
        Main2& main2 = reachPostureSelection();
        SvgPicture* picture = drawing(main2, "trunk5");
        // What a widget receives from a double click: press, release, double click, release.
        const QPoint centre = picture->rect().center();
        QTest::mousePress(picture, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(picture, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, centre);
        QVERIFY(main2.frame(optionIndexByDrawing("trunk5"))->isHighlighted());
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
        Main2& main2 = reachPostureSelection();
        QTabBar* bar = main2.SSTab2->tabBar();
        QVERIFY(QRect(QPoint(), main2.SSTab2->size()).contains(bar->geometry()));
        for (QToolButton* scroll : bar->findChildren<QToolButton*>())
            QVERIFY(!scroll->isVisible());
        for (int tab = 0; tab < bar->count(); ++tab) {
            QVERIFY2(bar->rect().contains(bar->tabRect(tab)), qPrintable(bar->tabText(tab)));
            QVERIFY(bar->tabRect(tab).width() >
                    QFontMetrics(bar->font()).horizontalAdvance(bar->tabText(tab)));
        }
        // The line between the leg postures and the knee options is drawn.
        const QImage line = main2.findChild<QWidget*>("Line1")->grab().toImage();
        int dark = 0;
        for (int y = 0; y < line.height(); ++y)
            dark += line.width() > 0 && qGray(line.pixel(0, y)) < 160;
        QVERIFY(dark > line.height() / 2);
    }

    void keysChangeTabFromAnywhere_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+Tab wraps") << 4 << int(Qt::Key_Tab) << ctrl << 0;
        QTest::newRow("Ctrl+Shift+Tab")
            << 2 << int(Qt::Key_Backtab) << int(ctrl | Qt::ShiftModifier) << 1;
        QTest::newRow("Ctrl+PgDn") << 3 << int(Qt::Key_PageDown) << ctrl << 4;
        QTest::newRow("Ctrl+PgUp wraps") << 0 << int(Qt::Key_PageUp) << ctrl << 4;
        QTest::newRow("Alt+4") << 0 << int(Qt::Key_4) << int(Qt::AltModifier) << 3;
    }
    void keysChangeTabFromAnywhere()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, to);
        Main2& main2 = reachPostureSelection(true);
        // The window opens with the first drawing of the front tab in focus.
        QCOMPARE(QApplication::focusWidget(), drawing(main2, "trunk1"));
        // From a button outside the tabs as much as from a drawing; the focus goes to the tab.
        QWidget* firstDrawing = nullptr;
        for (int i = int(Options.size()) - 1; i >= 0; --i)
            firstDrawing = Options[i].tab == from ? main2.frame(i)->drawing : firstDrawing;
        for (QWidget* start : {static_cast<QWidget*>(main2.Command3), firstDrawing}) {
            main2.SSTab2->setCurrentIndex(from);
            start->setFocus();
            QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(main2.SSTab2->currentIndex(), to);
            QCOMPARE(QApplication::focusWidget()->parentWidget()->parentWidget(),
                     main2.SSTab2->widget(to));
        }
    }

    void focusFrameIsNoColour()
    {
        Main2& main2 = reachPostureSelection(true);
        SvgPicture* picture = drawing(main2, "trunk1");
        picture->setFocus();
        const QImage focused = picture->grab().toImage();
        main2.Command3->setFocus();
        const QImage plain = picture->grab().toImage();
        int changed = 0, saturation = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                const QColor colour = focused.pixelColor(x, y);
                changed += colour != plain.pixelColor(x, y);
                saturation = std::max(saturation,
                                      colour.hsvSaturation() * (colour != plain.pixelColor(x, y)));
            }
        }
        QCOMPARE_LT(saturation, 16);
        QVERIFY(changed > picture->width());
    }

    void folderListKeysMoveAndTypingFinds()
    {
        QTemporaryDir folder;
        for (const char* name : {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot"})
            QDir(folder.path()).mkdir(QLatin1String(name));
        Forms::show<Save>();
        FolderList* list = Forms::get<Save>().Dir1;
        QVERIFY(list->setPath(folder.path()));
        list->setFocus();
        for (int step = 0; step < 6; ++step)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->ListIndex(), 5);
        QTest::keyClicks(list, QStringLiteral("d"));
        QCOMPARE(list->ListIndex(), 3);
        QCOMPARE(list->Path(), folder.path());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->Path(), folder.filePath("delta"));
    }

    void screenReaderHearsEveryDrawing()
    {
        Main2& main2 = reachPostureSelection();
        for (int i = 0; i < int(Options.size()); ++i) {
            SvgPicture* picture = main2.frame(i)->drawing;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(picture);
            QCOMPARE(face->role(), QAccessible::CheckBox);
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(Options[i].caption));
            QCOMPARE(face->text(QAccessible::Description), picture->drawnWords());
            QVERIFY(!face->state().checked);
            face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(main2.frame(i)->isHighlighted() && face->state().checked);
        }
        // Each value is read with the name of its box.
        main2.chooseOptions({});
        main2.drawingClick(optionIndexByDrawing("trunk4"));
        Module1::TrunkScore = 4;
        Module1::RightVESKScore = 10;
        Forms::get<VESKResults>().showScores();
        Forms::get<VESKRiskLevel>().showRiskLevels(QStringLiteral("High"), QStringLiteral("Low"));
        const char* const table[][3] = {
            {"Main2", "VESKTrunkScore", "Trunk Score: 4"},
            {"VESKResults", "Label16", "Left Posture Score B: 0"},
            {"VESKResults", "Label26", "Right VESK Score: 10"},
            {"VESKRiskLevel", "Label2", "Left Hand Side: High"},
            {"VESKRiskLevel", "Label3", "Right Hand Side: Low"},
        };
        for (const auto& [window, label, spoken] : table) {
            QWidget* form = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                form = top->objectName() == QLatin1String(window) ? top : form;
            const auto* face =
                QAccessible::queryAccessibleInterface(form->findChild<QLabel*>(label));
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(spoken));
        }
    }

    void saveWindowsKeepTheirSizeAndStayInSight()
    {
        QTemporaryDir folder;
        Save& save = Forms::get<Save>();
        QVERIFY(save.Dir1->setPath(folder.path()));
        save.Text1->setText(QStringLiteral("Twice"));
        QFile(folder.filePath("Twice VESK Analysis.txt")).open(QIODevice::WriteOnly);
        Forms::show<Save>();
        save.Command1->click();
        auto& overwrite = Forms::get<OverwriteFile>();
        QVERIFY(overwrite.isVisible());
        QVERIFY(!overwrite.frameGeometry().contains(save.frameGeometry()));
        for (QWidget* window : {static_cast<QWidget*>(&save), static_cast<QWidget*>(&overwrite)}) {
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        }
        // The real message box: room for the title and a window manager's icon and buttons.
        platform::ScopedSeams real; // the real message box
        int width = 0;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            width = box ? box->width() : -1;
            if (box)
                box->close();
        });
        platform::messageBox(QStringLiteral("File Saved"));
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY(width > QFontMetrics(bold).horizontalAdvance(platform::ApplicationTitle) + 120);
    }

    void scoreBCaptionStandsByItsBox()
    {
        QFile file(QStringLiteral(":/pictures/worksheet.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        const auto text =
            QRegularExpression(
                QStringLiteral(
                    "<text x=\"([\\d.]+)\" y=\"([\\d.]+)\"[^>]*size=\"(\\d+)\"[^>]*>Score B<"))
                .match(svg);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(text.captured(3).toInt());
        font.setBold(true);
        // The middle of the caption, whichever end of it the anchor names.
        const double half = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Score B")) / 2;
        const QPointF centre(
            text.captured(1).toDouble() +
                (text.captured().contains(QLatin1String("\"end\"")) ? -half : half),
            text.captured(2).toDouble() - font.pixelSize() / 3.0);
        // The nearest box to the caption is its own.
        std::pair<double, QString> nearest{1e9, QString()};
        static const QRegularExpression box(
            QStringLiteral("<rect x=\"([\\d.]+)\" y=\"([\\d.]+)\" width=\"([\\d.]+)\" "
                           "height=\"([\\d.]+)\"[^>]* id=\"([^\"]+)\""));
        for (const auto& rect : box.globalMatch(svg)) {
            const QRectF area(rect.captured(1).toDouble(), rect.captured(2).toDouble(),
                              rect.captured(3).toDouble(), rect.captured(4).toDouble());
            const double dx = std::max({area.left() - centre.x(), 0.0, centre.x() - area.right()});
            const double dy = std::max({area.top() - centre.y(), 0.0, centre.y() - area.bottom()});
            nearest = std::min(nearest, std::pair{std::hypot(dx, dy), rect.captured(5)});
        }
        QCOMPARE(nearest.second, QStringLiteral("cut-Label20-Label21"));
    }

    void helpLinksResolveAndNamesExistingCaptions()
    {
        QFile help(QStringLiteral(VESK_SOURCE_DIR "/assets/help/Helpfile/helpfile.html"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(help.readAll());
        const auto all = [&](const char* pattern) {
            QStringList found;
            for (const auto& match : QRegularExpression(QLatin1String(pattern)).globalMatch(html))
                found << match.captured(1);
            return found;
        };
        const QStringList anchors = all("<a name=\"([^\"]+)\"");
        for (const QString& link : all("href=\"#([^\"]*)\""))
            QVERIFY2(anchors.contains(link), qPrintable(link));

        // Every caption of every window, with the access key the ampersand marks.
        Forms::get<CautionStatement>(), Forms::get<EmployeeDetails>(), Forms::get<Main2>();
        Forms::get<VESKOverview>(), Forms::get<VESKResults>(), Forms::get<VESKRiskLevel>();
        Forms::get<Save>(), Forms::get<OverwriteFile>(), Forms::get<OpenPictureFile>();
        Forms::get<OpenExtraPics>(), Forms::get<ExtraPics>();
        QStringList captions; // "caption" and "caption (Alt+K)"
        const auto add = [&](QString text) {
            const int amp = text.indexOf(QLatin1Char('&'));
            const QString key = text.mid(amp + 1, 1).toUpper();
            captions << text.remove(QLatin1Char('&')).simplified();
            if (amp >= 0)
                captions << QStringLiteral("%1 (Alt+%2)").arg(captions.last(), key);
        };
        for (QWidget* window : QApplication::topLevelWidgets()) {
            add(window->windowTitle());
            for (const auto* child : window->findChildren<QWidget*>())
                add(child->property("text").toString());
            for (const auto* tabs : window->findChildren<QTabBar*>())
                for (int tab = 0; tab < tabs->count(); ++tab)
                    add(tabs->tabText(tab));
        }
        static const QRegularExpression named(
            QStringLiteral("<span class=\"ui\">([^<]*)</span>( \\(Alt\\+.\\))?"));
        for (const auto& match : named.globalMatch(html)) {
            QString caption = match.captured(1).simplified() + match.captured(2);
            caption.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"));
            QVERIFY2(captions.contains(caption), qPrintable(caption));
        }
    }
};

QTEST_MAIN(TestUsability)
#include "test_usability.moc"
