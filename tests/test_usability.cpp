// The windows as a new user meets them: at every screen size and scale, by mouse, by keyboard
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

#include <QAbstractButton>
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
#include <QXmlStreamReader>

namespace {

Main2& reachPostureSelection()
{
    Forms::show<CautionStatement>();
    Forms::get<CautionStatement>().Command1->click();
    Forms::get<EmployeeDetails>().Command1->click();
    return Forms::get<Main2>();
}

SvgPicture* drawing(const Main2& main2, const QString& name)
{
    return main2.findChild<SvgPicture*>(name);
}

QString labelText(const QWidget& window, const QString& name)
{
    const auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

QString spokenName(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

// The free area of a screen at a display scale, in logical pixels, less a window's frame.
QSize freeArea(QSize screen, double scale)
{
    return QSize(int(screen.width() / scale), int(screen.height() / scale)) - QSize(16, 48);
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

    void doubleClickCountsAsOneClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("valueLabel");
        QTest::addColumn<QString>("score");
        QTest::newRow("trunk twisted") << "trunk5"
                                       << "VESKTrunkScore"
                                       << "1";
        QTest::newRow("knee 30-60") << "leg3"
                                    << "VESKLegsScore"
                                    << "1";
        QTest::newRow("base posture") << "Image97"
                                      << "UpperRightArm"
                                      << "2";
    }
    void doubleClickCountsAsOneClick()
    {
        QFETCH(QString, name);
        QFETCH(QString, valueLabel);
        QFETCH(QString, score);
        Main2& main2 = reachPostureSelection();
        SvgPicture* picture = drawing(main2, name);
        main2.SSTab2->setCurrentIndex(Options[optionIndexByDrawing(name.toStdString())].tab);
        // What a widget receives from a double click: press, release, double click, release.
        const QPoint centre = picture->rect().center();
        QTest::mousePress(picture, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(picture, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, centre);
        QVERIFY(main2.frame(optionIndexByDrawing(name.toStdString()))->isHighlighted());
        QCOMPARE(labelText(main2, valueLabel), score);
    }

    void everyScreenAndScaleShowsWholeTabsAndLines_data()
    {
        QTest::addColumn<QSize>("area");
        for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080)}) {
            for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
                QTest::addRow("%dx%d at %d%%", screen.width(), screen.height(), int(scale * 100))
                    << freeArea(screen, scale);
            }
        }
    }
    void everyScreenAndScaleShowsWholeTabsAndLines()
    {
        QFETCH(QSize, area);
        seams->availableArea = area;
        Main2& main2 = reachPostureSelection();
        QTabBar* bar = main2.SSTab2->tabBar();
        QVERIFY(QRect(QPoint(), main2.SSTab2->size()).contains(bar->geometry()));
        for (QToolButton* scroll : bar->findChildren<QToolButton*>())
            QVERIFY(!scroll->isVisible());
        const QFontMetrics metrics(bar->font());
        for (int tab = 0; tab < bar->count(); ++tab) {
            QVERIFY2(bar->rect().contains(bar->tabRect(tab)), qPrintable(bar->tabText(tab)));
            QVERIFY(bar->tabRect(tab).width() > metrics.horizontalAdvance(bar->tabText(tab)));
        }

        // The line between the leg postures and the knee options is drawn.
        auto* line = main2.findChild<QWidget*>(QStringLiteral("Line1"));
        QVERIFY(line->width() >= 1);
        const QImage image = line->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            dark += qGray(image.pixel(0, y)) < 160;
        QVERIFY(dark > image.height() / 2);
    }

    void keysChangeTabFromAnywhere_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+Tab") << 0 << int(Qt::Key_Tab) << ctrl << 1;
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
        Main2& main2 = reachPostureSelection();
        main2.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main2));
        // The window opens with the first drawing of the front tab in focus.
        QCOMPARE(QApplication::focusWidget(), drawing(main2, "trunk1"));
        QWidget* firstDrawing = nullptr;
        for (int i = int(Options.size()) - 1; i >= 0; --i)
            firstDrawing = Options[i].tab == from ? main2.frame(i)->drawing : firstDrawing;
        // From a button outside the tabs as much as from a drawing.
        for (QWidget* start : {static_cast<QWidget*>(main2.Command3), firstDrawing}) {
            main2.SSTab2->setCurrentIndex(from);
            start->setFocus();
            QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(main2.SSTab2->currentIndex(), to);
            QCOMPARE(QApplication::focusWidget()->parentWidget()->parentWidget(),
                     main2.SSTab2->widget(to));
        }
        QCOMPARE(main2.SSTab2->tabText(to).contains(QLatin1Char('&')), false);
    }

    void focusFrameIsNoColour()
    {
        Main2& main2 = reachPostureSelection();
        main2.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main2));
        SvgPicture* picture = drawing(main2, "trunk1");
        picture->setFocus();
        const QImage focused = picture->grab().toImage();
        main2.Command3->setFocus();
        const QImage plain = picture->grab().toImage();
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                const QColor colour = focused.pixelColor(x, y);
                if (colour == plain.pixelColor(x, y))
                    continue;
                ++changed;
                QVERIFY2(colour.hsvSaturation() < 16, qPrintable(colour.name()));
            }
        }
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
            QVERIFY(face);
            QCOMPARE(face->role(), QAccessible::CheckBox);
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(Options[i].caption));
            QCOMPARE(face->text(QAccessible::Description), picture->drawnWords());
            QVERIFY(!face->state().checked);
            face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(main2.frame(i)->isHighlighted());
            QVERIFY(face->state().checked);
        }
        QCOMPARE(drawing(main2, "trunk5")->drawnWords(),
                 QStringLiteral("+1 Back twisted or tilted to the side"));
        QVERIFY(drawing(main2, "leg3")->drawnWords().contains(QStringLiteral("30°–60°")));
    }

    void screenReaderHearsWhatEachValueIs_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("trunk") << "Main2"
                               << "VESKTrunkScore"
                               << "Trunk Score: 4";
        QTest::newRow("empty neck") << "Main2"
                                    << "VESKNeckScore"
                                    << "Neck Score";
        QTest::newRow("activity") << "Main2"
                                  << "ActivityScore"
                                  << "Activity Score: 0";
        QTest::newRow("lower right arm") << "Main2"
                                         << "LowerRightArm"
                                         << "Right Arm Score";
        QTest::newRow("trunk box") << "VESKResults"
                                   << "Label5"
                                   << "Trunk Score: 4";
        QTest::newRow("wrist R box") << "VESKResults"
                                     << "Label11"
                                     << "Right Wrist Score: 0";
        QTest::newRow("group B L box") << "VESKResults"
                                       << "Label16"
                                       << "Left Posture Score B: 0";
        QTest::newRow("left VESK") << "VESKResults"
                                   << "Label25"
                                   << "Left VESK Score: 8";
        QTest::newRow("right VESK") << "VESKResults"
                                    << "Label26"
                                    << "Right VESK Score: 10";
        QTest::newRow("left risk") << "VESKRiskLevel"
                                   << "Label2"
                                   << "Left Hand Side: High";
        QTest::newRow("right risk") << "VESKRiskLevel"
                                    << "Label3"
                                    << "Right Hand Side: Low";
    }
    void screenReaderHearsWhatEachValueIs()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, spoken);
        Main2& main2 = reachPostureSelection();
        main2.drawingClick(optionIndexByDrawing("trunk4"));
        Module1::TrunkScore = 4;
        Module1::LeftVESKScore = 8;
        Module1::RightVESKScore = 10;
        Forms::get<VESKResults>().showScores();
        Forms::get<VESKRiskLevel>().showRiskLevels(QStringLiteral("High"), QStringLiteral("Low"));
        QWidget* form = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            form = top->objectName() == window ? top : form;
        QVERIFY(form);
        QCOMPARE(spokenName(form->findChild<QLabel*>(label)), spoken);
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
    }

    void fileSavedBoxShowsItsWholeTitle()
    {
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
        // Room for the title and for a window manager's icon and three buttons beside it.
        QVERIFY(width > QFontMetrics(bold).horizontalAdvance(platform::ApplicationTitle) + 120);
    }

    void worksheetCaptionsStandByTheirBoxes_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("box");
        QTest::newRow("Score A") << "Score A"
                                 << "box-Label19";
        QTest::newRow("Score B") << "Score B"
                                 << "cut-Label20-Label21";
        QTest::newRow("Score C") << "Score C"
                                 << "cut-Label22-Label23";
        QTest::newRow("Activity") << "Activity"
                                  << "box-Label24";
        QTest::newRow("Coupling") << "Coupling"
                                  << "box-Label18";
    }
    void worksheetCaptionsStandByTheirBoxes()
    {
        QFETCH(QString, caption);
        QFETCH(QString, box);
        QFile file(QStringLiteral(":/pictures/worksheet.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader svg(&file);
        QPointF centre;
        QList<std::pair<QString, QRectF>> boxes;
        while (svg.readNextStartElement() || !svg.atEnd()) {
            if (!svg.isStartElement())
                continue;
            const QXmlStreamAttributes a = svg.attributes();
            const auto number = [&](const char* name) {
                return a.value(QLatin1String(name)).toDouble();
            };
            if (svg.name() == QLatin1String("rect") && a.hasAttribute(QStringLiteral("id"))) {
                boxes.append({a.value(QStringLiteral("id")).toString(),
                              QRectF(number("x"), number("y"), number("width"), number("height"))});
            } else if (svg.name() == QLatin1String("text") &&
                       svg.readElementText(QXmlStreamReader::IncludeChildElements) == caption) {
                QFont font(QStringLiteral("Arial"));
                font.setPixelSize(int(number("font-size")));
                font.setBold(true);
                const double width = QFontMetricsF(font).horizontalAdvance(caption);
                const auto anchor = a.value(QStringLiteral("text-anchor"));
                const double shift = anchor == QLatin1String("middle") ? 0
                                     : anchor == QLatin1String("end")  ? -width / 2
                                                                       : width / 2;
                centre = QPointF(number("x") + shift, number("y") - font.pixelSize() / 3.0);
            }
        }
        QVERIFY(!centre.isNull());
        // The nearest box to the caption is its own.
        QString nearest;
        double best = 1e9;
        for (const auto& [id, area] : boxes) {
            const double dx = std::max({area.left() - centre.x(), 0.0, centre.x() - area.right()});
            const double dy = std::max({area.top() - centre.y(), 0.0, centre.y() - area.bottom()});
            if (std::hypot(dx, dy) < best) {
                best = std::hypot(dx, dy);
                nearest = id;
            }
        }
        QCOMPARE(nearest, box);
    }

    void helpLinksResolveAndNamesExistingCaptions_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("program help") << "Helpfile/helpfile.html";
        QTest::newRow("reduction measures") << "reduction measures/helpfile.html";
    }
    void helpLinksResolveAndNamesExistingCaptions()
    {
        QFETCH(QString, file);
        QFile help(QStringLiteral(VESK_SOURCE_DIR "/assets/help/") + file);
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
        QMultiHash<QString, QChar> captions;
        const auto add = [&](QString text) {
            const int amp = text.indexOf(QLatin1Char('&'));
            const QChar key =
                amp >= 0 && amp + 1 < text.size() ? text.at(amp + 1).toUpper() : QChar();
            captions.insert(text.remove(QLatin1Char('&')).simplified(), key);
        };
        for (QWidget* window : QApplication::topLevelWidgets()) {
            add(window->windowTitle());
            for (const auto* button : window->findChildren<QAbstractButton*>())
                add(button->text());
            for (const auto* label : window->findChildren<QLabel*>())
                add(label->text());
            for (const auto* tabs : window->findChildren<QTabBar*>())
                for (int tab = 0; tab < tabs->count(); ++tab)
                    add(tabs->tabText(tab));
        }
        const QRegularExpression named(
            QStringLiteral("<span class=\"ui\">([^<]*)</span>( \\(Alt\\+(.)\\))?"));
        for (const auto& match : named.globalMatch(html)) {
            QString caption = match.captured(1).simplified();
            caption.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"));
            QVERIFY2(captions.contains(caption), qPrintable(caption));
            if (match.hasCaptured(3))
                QVERIFY2(captions.values(caption).contains(match.captured(3).at(0)),
                         qPrintable(match.captured(0)));
        }
    }
};

QTEST_MAIN(TestUsability)
#include "test_usability.moc"
