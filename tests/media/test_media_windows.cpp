// The picture choosers, the extra picture viewer and Play Video, driven from the posture
// selection window as a person does: buttons clicked, files clicked and double-clicked in the
// lists, drives chosen with the keyboard. Pictures are made in a temporary folder that is the
// program's current folder, so the choosers open on it.

#include "DriveList.h"
#include "ExtraPics.h"
#include "FileList.h"
#include "FolderList.h"
#include "Main2.h"
#include "MediaPlayer.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "PictureBox.h"
#include "PictureFiles.h"
#include "PictureShow.h"
#include "WindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString NoChoice = QStringLiteral("No picture file has been chosen.");
const QString Maximum = QStringLiteral("You have already loaded the maximum 4 pictures");
const QString NothingToView = QStringLiteral("You have not loaded any extra pictures yet. Please "
                                             "load extra pictures before viewing them");

QString cannotOpen(const QString& path)
{
    return QStringLiteral("The file \"%1\" could not be opened as a picture.").arg(path);
}

// How the refusal of huge.png starts: the rest gives the memory left.
QString tooLarge(const QString& path)
{
    return QStringLiteral("The picture \"%1\" cannot be shown: it is 7000 x 7000 pixels and would "
                          "need 375 MB of memory, more than the ")
        .arg(path);
}

void click(QWidget* widget)
{
    QVERIFY(widget);
    QVERIFY(widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QPoint itemCentre(QListWidget* list, const QString& text)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().trimmed() == text) {
            list->scrollToItem(list->item(row));
            return list->visualItemRect(list->item(row)).center();
        }
    }
    return {-1, -1};
}

void clickItem(QListWidget* list, const QString& text)
{
    const QPoint at = itemCentre(list, text);
    QVERIFY2(at.x() >= 0, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

void doubleClickItem(QListWidget* list, const QString& text)
{
    const QPoint at = itemCentre(list, text);
    QVERIFY2(at.x() >= 0, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QColor pixelAt(const QImage& image, QPointF logical)
{
    return image.pixelColor((logical * image.devicePixelRatio()).toPoint());
}

QColor background(const PictureBox& box)
{
    return box.palette().color(box.backgroundRole());
}

// What a failed Open must leave alone.
struct Snapshot
{
    bool taskVisible;
    qint64 taskContent;
    std::int16_t extraCount;
    QList<bool> slotsVisible;
    QList<qint64> slotContents;
    float aspect, fitWidth, fitHeight;
    QString path, file;
    qint64 surface1, surface2;

    static Snapshot take()
    {
        Snapshot s;
        const PictureBox& task = *Forms::get<Main2>().Picture1;
        s.taskVisible = task.isVisible();
        s.taskContent = task.content().cacheKey();
        s.extraCount = Module1::ExtraPictureCount;
        for (int i = 0; i < ExtraPics::SlotCount; ++i) {
            s.slotsVisible << Forms::get<ExtraPics>().slot(i)->isVisibleTo(
                &Forms::get<ExtraPics>());
            s.slotContents << Forms::get<ExtraPics>().slot(i)->content().cacheKey();
        }
        s.aspect = Module1::PictureAspect;
        s.fitWidth = Module1::FitWidth;
        s.fitHeight = Module1::FitHeight;
        s.path = Module1::SelectedPicturePath;
        s.file = Module1::SelectedPictureFile;
        s.surface1 = Forms::get<PictureShow>().Picture1.cacheKey();
        s.surface2 = Forms::get<PictureShow>().Picture2.cacheKey();
        return s;
    }
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class TestMediaWindows : public QObject
{
    Q_OBJECT

    SeamRecorder seams;
    QTemporaryDir temp;
    QString previousCurrent;
    QDir dir;

    Main2& main2()
    {
        Main2& window = Forms::get<Main2>();
        if (!window.isVisible())
            Forms::show<Main2>();
        return window;
    }
    OpenPictureFile& taskChooser()
    {
        click(main2().Command3);
        return Forms::get<OpenPictureFile>();
    }
    OpenExtraPics& extraChooser()
    {
        click(main2().Command1);
        return Forms::get<OpenExtraPics>();
    }
    PictureChooser& showChooser(const QString& which)
    {
        if (which == "task")
            return taskChooser();
        return extraChooser();
    }
    QString pathOf(const QString& name) const
    {
        return QDir::toNativeSeparators(dir.absolutePath()) + QDir::separator() + name;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(temp.isValid());
        platform::registerFontSubstitutes();
        dir = QDir(temp.path());
        QVERIFY(!pictures::save(dir, "wide.png", pictures::plain({400, 200}, Qt::red)).isEmpty());
        QVERIFY(!pictures::save(dir, "tall.png", pictures::plain({100, 400}, Qt::blue)).isEmpty());
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
        for (int i = 0; i < 5; ++i) {
            QVERIFY(!pictures::save(dir, QStringLiteral("extra%1.png").arg(i),
                                    pictures::plain({900, 600}, colours[i]), "bmp")
                         .isEmpty());
        }
        QVERIFY(pictures::writeFile(dir.filePath("notes.jpg"), "Not a picture.\n"));
        QVERIFY(
            pictures::writeFile(dir.filePath("huge.png"), pictures::pngClaiming(7000, 7000, 16)));
        QVERIFY(dir.mkpath("more"));
        QVERIFY(!pictures::save(QDir(dir.filePath("more")), "inside.png",
                                pictures::plain({50, 50}, Qt::green))
                     .isEmpty());
        previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.absolutePath()));
    }
    void cleanupTestCase() { QDir::setCurrent(previousCurrent); }
    void init()
    {
        seams.resetAll();
        seams.install();
    }
    void cleanup() { seams.resetAll(); }

    void choosersStartAtTheCurrentFolderWithThePathBoxFocused_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("task") << "task";
        QTest::newRow("extra") << "extra";
    }
    void choosersStartAtTheCurrentFolderWithThePathBoxFocused()
    {
        QFETCH(QString, which);
        PictureChooser& chooser = showChooser(which);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Open Picture File"));
        // The lists start at the program's current folder; nothing is chosen yet.
        QCOMPARE(chooser.Dir1->Path(), dir.absolutePath());
        QCOMPARE(chooser.File1->Path(), dir.absolutePath());
        QCOMPARE(chooser.Drive1->ListIndex(),
                 chooser.Drive1->indexOfDriveHolding(dir.absolutePath()));
        QVERIFY(chooser.Text1->text().isEmpty());

        // Text1 has the focus first; Tab goes on as designed and comes round again.
        QApplication::setActiveWindow(&chooser);
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        QCOMPARE(QApplication::focusWidget(), chooser.Text1);
        const QList<QWidget*> order = {chooser.cmdOpen, chooser.Command1, chooser.Drive1,
                                       chooser.Dir1,    chooser.File1,    chooser.Text1};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void openShowsTheTaskPictureFittedAndCentred_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSizeF>("pictureSize");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("landscape") << "wide.png" << QSizeF(400, 200) << QColor(Qt::red);
        QTest::newRow("portrait") << "tall.png" << QSizeF(100, 400) << QColor(Qt::blue);
    }
    void openShowsTheTaskPictureFittedAndCentred()
    {
        QFETCH(QString, name);
        QFETCH(QSizeF, pictureSize);
        QFETCH(QColor, colour);
        OpenPictureFile& chooser = taskChooser();
        PictureBox& box = *main2().Picture1;
        QVERIFY(!box.isVisible());

        clickItem(chooser.File1, name);
        QCOMPARE(chooser.Text1->text(), pathOf(name));
        QCOMPARE(Module1::SelectedPicturePath, pathOf(name));
        QCOMPARE(Module1::SelectedPictureFile, name);
        QVERIFY(box.content().isNull());

        click(chooser.cmdOpen);
        QVERIFY(!chooser.isVisible());
        QVERIFY(box.isVisible());
        QVERIFY(seams.messages.isEmpty());
        const FitResult fit = fitAndCentre(pictureSize, QSizeF(box.size()));
        QCOMPARE(Module1::PictureAspect, fit.pictureAspect);
        QCOMPARE(Module1::FitWidth, fit.fitWidth);
        QCOMPARE(Module1::FitHeight, fit.fitHeight);
        QCOMPARE(Forms::get<PictureShow>().Picture1.isNull(), false);

        const QImage seen = box.grab().toImage();
        const QRectF painted = fit.rect();
        QCOMPARE(pixelAt(seen, painted.center()), colour);
        const QPointF band = painted.left() > 2 ? QPointF(painted.left() / 2, painted.center().y())
                                                : QPointF(painted.center().x(), painted.top() / 2);
        QCOMPARE(pixelAt(seen, band), background(box));
    }

    void exitPaintsTheChoiceWithoutShowingTheBox()
    {
        OpenPictureFile& chooser = taskChooser();
        const PictureBox& box = *main2().Picture1;
        clickItem(chooser.File1, "wide.png");
        click(chooser.Command1);
        QVERIFY(!chooser.isVisible());
        QVERIFY(!box.isVisible());
        QCOMPARE(pixelAt(box.content(), QRectF(box.rect()).center()), QColor(Qt::red));
        QCOMPARE(Module1::PictureAspect, 2.f);

        // Open shows it; a later Exit with another file repaints the box that is now showing.
        click(main2().Command3);
        click(chooser.cmdOpen);
        QVERIFY(box.isVisible());
        click(main2().Command3);
        clickItem(chooser.File1, "tall.png");
        click(chooser.Command1);
        QVERIFY(box.isVisible());
        QCOMPARE(pixelAt(box.content(), QRectF(box.rect()).center()), QColor(Qt::blue));
        QCOMPARE(Module1::PictureAspect, 0.25f);
        QVERIFY(seams.messages.isEmpty());
    }

    void exitSaysWhatItCannotShowAndHides_data()
    {
        QTest::addColumn<QString>("name");    // empty: nothing clicked
        QTest::addColumn<QString>("message"); // how it starts; empty: none
        QTest::newRow("nothing chosen") << QString() << QString();
        QTest::newRow("not a picture") << "notes.jpg" << cannotOpen(pathOf("notes.jpg"));
        QTest::newRow("too large") << "huge.png" << tooLarge(pathOf("huge.png"));
    }
    void exitSaysWhatItCannotShowAndHides()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        OpenPictureFile& chooser = taskChooser();
        if (!name.isEmpty())
            clickItem(chooser.File1, name);
        const Snapshot before = Snapshot::take();
        click(chooser.Command1);
        QVERIFY(!chooser.isVisible());
        QVERIFY(Snapshot::take() == before);
        QVERIFY(main2().Picture1->content().isNull());
        QCOMPARE(seams.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(seams.messages[0].startsWith(message), qPrintable(seams.messages[0]));
            QCOMPARE(seams.titles, QStringList{"Error"});
        }
    }

    void doubleClickOpens_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("task") << "task";
        QTest::newRow("extra") << "extra";
    }
    void doubleClickOpens()
    {
        QFETCH(QString, which);
        PictureChooser& chooser = showChooser(which);
        doubleClickItem(chooser.File1, "tall.png");
        QCOMPARE(Module1::SelectedPictureFile, QStringLiteral("tall.png"));
        QVERIFY(!chooser.isVisible());
        const PictureBox& box =
            which == "task" ? *main2().Picture1 : *Forms::get<ExtraPics>().Picture1;
        QVERIFY(box.isVisibleTo(box.window()));
        QCOMPARE(pixelAt(box.content(), QRectF(box.rect()).center()), QColor(Qt::blue));
        QCOMPARE(Module1::ExtraPictureCount, std::int16_t(which == "task" ? 0 : 1));
        QCOMPARE(Forms::get<ExtraPics>().isVisible(), which == "extra");
    }

    void theChoiceIsSharedByBothChoosers()
    {
        OpenExtraPics& extra = extraChooser();
        clickItem(extra.File1, "wide.png");
        click(extra.Command1);
        QCOMPARE(Module1::ExtraPictureCount, std::int16_t(0));

        OpenPictureFile& task = taskChooser();
        QVERIFY(task.Text1->text().isEmpty());
        click(task.cmdOpen);
        QVERIFY(main2().Picture1->isVisible());
        QCOMPARE(Module1::PictureAspect, 2.f);
        QCOMPARE(pixelAt(main2().Picture1->content(), QRectF(main2().Picture1->rect()).center()),
                 QColor(Qt::red));

        // And the other way round.
        click(main2().Command3);
        clickItem(task.File1, "tall.png");
        click(task.Command1);
        click(main2().Command1);
        click(extra.cmdOpen);
        const PictureBox& first = *Forms::get<ExtraPics>().Picture1;
        QCOMPARE(pixelAt(first.content(), QRectF(first.rect()).center()), QColor(Qt::blue));
    }

    void extraPicturesFillTheViewerUpToFour()
    {
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < 4; ++i) {
            OpenExtraPics& chooser = extraChooser();
            clickItem(chooser.File1, QStringLiteral("extra%1.png").arg(i));
            click(chooser.cmdOpen);
            QVERIFY(!chooser.isVisible());
            ExtraPics& viewer = Forms::get<ExtraPics>();
            QVERIFY(viewer.isVisible());
            QCOMPARE(Module1::ExtraPictureCount, std::int16_t(i + 1));
            for (int slot = 0; slot < 4; ++slot) {
                const PictureBox& box = *viewer.slot(slot);
                QCOMPARE(box.isVisible(), slot <= i);
                if (slot <= i)
                    QCOMPARE(pixelAt(box.content(), QRectF(box.rect()).center()), colours[slot]);
            }
            // Kept only at the size shown, not as decoded.
            const QSize kept = Forms::get<PictureShow>().Picture2.size();
            QCOMPARE(kept.width(), viewer.slot(i)->deviceSize().width());
            QVERIFY(kept.height() < viewer.slot(i)->deviceSize().height());
            click(viewer.Command1);
            QVERIFY(!viewer.isVisible());
        }
        QVERIFY(seams.messages.isEmpty());

        OpenExtraPics& chooser = extraChooser();
        clickItem(chooser.File1, "extra4.png");
        const Snapshot before = Snapshot::take();
        click(chooser.cmdOpen);
        QCOMPARE(seams.messages, QStringList{Maximum});
        QCOMPARE(seams.titles, QStringList{"Error"});
        QVERIFY(chooser.isVisible());
        QVERIFY(!Forms::get<ExtraPics>().isVisible());
        QVERIFY(Snapshot::take() == before);
    }

    void viewingBeforeAnyLoadIsRefused()
    {
        click(main2().Command4);
        QCOMPARE(seams.messages, QStringList{NothingToView});
        QCOMPARE(seams.titles, QStringList{"Error"});
        QVERIFY(!Forms::find<ExtraPics>() || !Forms::find<ExtraPics>()->isVisible());

        OpenExtraPics& chooser = extraChooser();
        clickItem(chooser.File1, "extra1.png");
        click(chooser.cmdOpen);
        ExtraPics& viewer = Forms::get<ExtraPics>();
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(viewer.Label37->text(), QStringLiteral("Extra Picture Files"));
        viewer.close(); // the title bar's close box hides it, pictures kept
        QVERIFY(!viewer.isVisible());
        click(main2().Command4);
        QVERIFY(viewer.isVisible());
        QCOMPARE(seams.messages.size(), 1);
        QCOMPARE(pixelAt(viewer.Picture1->content(), QRectF(viewer.Picture1->rect()).center()),
                 QColor(Qt::green));
        QVERIFY(!viewer.Picture2->isVisible());
    }

    void brokenPicturesChangeNothing_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("deleted"); // after it is clicked
        for (const QString which : {"task", "extra"}) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s, %s", qPrintable(which), label) << which;
            };
            row("not a picture") << "notes.jpg" << false;
            row("too large for memory") << "huge.png" << false;
            row("gone after the click") << "extra2.png" << true;
        }
    }
    void brokenPicturesChangeNothing()
    {
        QFETCH(QString, which);
        QFETCH(QString, name);
        QFETCH(bool, deleted);
        // A task picture and one extra picture are already there.
        OpenPictureFile& task = taskChooser();
        clickItem(task.File1, "wide.png");
        click(task.cmdOpen);
        OpenExtraPics& extra = extraChooser();
        clickItem(extra.File1, "tall.png");
        click(extra.cmdOpen);
        click(Forms::get<ExtraPics>().Command1);
        QVERIFY(seams.messages.isEmpty());

        // A deleted file is a copy, so that the other rows keep their pictures.
        const QString chosen = deleted ? "deleted-" + name : name;
        if (deleted)
            QVERIFY(QFile::copy(dir.filePath(name), dir.filePath(chosen)));
        PictureChooser& chooser = showChooser(which);
        chooser.File1->refresh();
        clickItem(chooser.File1, chosen);
        if (deleted)
            QVERIFY(QFile::remove(dir.filePath(chosen)));

        const Snapshot before = Snapshot::take();
        click(chooser.cmdOpen);
        QCOMPARE(seams.messages.size(), 1);
        const QString expected =
            name == "huge.png" ? tooLarge(pathOf(chosen)) : cannotOpen(pathOf(chosen));
        QVERIFY2(seams.messages[0].startsWith(expected), qPrintable(seams.messages[0]));
        QCOMPARE(seams.titles, QStringList{"Error"});
        QVERIFY(chooser.isVisible());
        QVERIFY(Snapshot::take() == before);
        QVERIFY(!Forms::get<ExtraPics>().isVisible());
    }

    void openWithNothingChosenSaysSo_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("task") << "task";
        QTest::newRow("extra") << "extra";
    }
    void openWithNothingChosenSaysSo()
    {
        QFETCH(QString, which);
        PictureChooser& chooser = showChooser(which);
        const Snapshot before = Snapshot::take();
        click(chooser.cmdOpen);
        QCOMPARE(seams.messages, QStringList{NoChoice});
        QCOMPARE(seams.titles, QStringList{"Error"});
        QVERIFY(chooser.isVisible());
        QVERIFY(Snapshot::take() == before);
    }

    void titleBarCloseHidesTheChooserKeepingItsState()
    {
        OpenPictureFile& chooser = taskChooser();
        doubleClickItem(chooser.Dir1, "more");
        clickItem(chooser.File1, "inside.png");
        chooser.close();
        QVERIFY(!chooser.isVisible());
        QVERIFY(!main2().Picture1->isVisible());
        click(main2().Command3);
        QCOMPARE(&Forms::get<OpenPictureFile>(), &chooser);
        QCOMPARE(chooser.Dir1->Path(), dir.filePath("more"));
        QCOMPARE(chooser.File1->FileName(), QStringLiteral("inside.png"));
    }

    void playVideoStartsTheFirstPlayerThatStarts_data()
    {
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<QStringList>("starting"); // the ones that start
        QTest::addColumn<QStringList>("tried");
        QTest::addColumn<bool>("message");
        QTest::newRow("first starts")
            << QStringList{"a", "b"} << QStringList{"a", "b"} << QStringList{"a"} << false;
        QTest::newRow("falls through") << QStringList{"a", "b", "c"} << QStringList{"c"}
                                       << QStringList{"a", "b", "c"} << false;
        QTest::newRow("none starts")
            << QStringList{"a", "b"} << QStringList{} << QStringList{"a", "b"} << true;
        QTest::newRow("none known") << QStringList{} << QStringList{"a"} << QStringList{} << true;
    }
    void playVideoStartsTheFirstPlayerThatStarts()
    {
        QFETCH(QStringList, candidates);
        QFETCH(QStringList, starting);
        QFETCH(QStringList, tried);
        QFETCH(bool, message);
        seams->mediaPlayers = [candidates] {
            QList<MediaPlayer::Command> commands;
            for (const QString& program : candidates)
                commands.append({program, {}});
            return commands;
        };
        QStringList attempts;
        seams->startProgram = [&](const MediaPlayer::Command& command) {
            attempts << command.program;
            return starting.contains(command.program);
        };
        click(main2().Command5);
        QCOMPARE(attempts, tried);
        QCOMPARE(seams.messages,
                 message ? QStringList{"No media player could be started."} : QStringList{});
        QCOMPARE(seams.titles, message ? QStringList{"Error"} : QStringList{});
    }

    void playersAreLookedForOnThePath()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows media player is started by name");
#endif
        const QString bin = temp.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        for (const char* name : {"mpv", "dragon", "vlc", "notaplayer"}) {
            QFile program(bin + "/" + name);
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.setPermissions(program.permissions() | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit()); // no xdg-mime either: no desktop default
        const QList<MediaPlayer::Command> found = MediaPlayer::candidates();
        qputenv("PATH", path);
        const QList<MediaPlayer::Command> expected = {
            {bin + "/vlc", {}}, {bin + "/mpv", {}}, {bin + "/dragon", {}}};
        QCOMPARE(found, expected);
    }

    void desktopEntriesGiveTheirCommand_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("field code dropped")
            << "[Desktop Entry]\nName=VLC\nExec=/usr/bin/vlc --started-from-file %U\n"
            << "/usr/bin/vlc" << QStringList{"--started-from-file"};
        QTest::newRow("quoted program") << "[Desktop Entry]\nExec=\"/opt/My Player/player\" %f\n"
                                        << "/opt/My Player/player" << QStringList{};
        QTest::newRow("sandboxed") << "[Desktop Entry]\nExec=flatpak run org.example.Player %U\n"
                                   << "flatpak" << QStringList{"run", "org.example.Player"};
        QTest::newRow("action group ignored")
            << "[Desktop Entry]\nExec=totem %U\n[Desktop Action new]\nExec=totem --new\n"
            << "totem" << QStringList{};
        QTest::newRow("no exec") << "[Desktop Entry]\nName=Nothing\n"
                                 << "" << QStringList{};
    }
    void desktopEntriesGiveTheirCommand()
    {
        QFETCH(QString, entry);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const QString file = temp.filePath("player.desktop");
        QVERIFY(pictures::writeFile(file, entry.toUtf8()));
        const MediaPlayer::Command command = MediaPlayer::commandOfDesktopEntry(file);
        QCOMPARE(command.program, program);
        QCOMPARE(command.arguments, arguments);
    }
};

QTEST_MAIN(TestMediaWindows)
#include "test_media_windows.moc"
