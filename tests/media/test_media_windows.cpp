// The picture choosers, the extra picture viewer and Play Video, driven from the posture
// selection window as a person does: buttons clicked, files clicked and double-clicked in the
// lists, drives chosen with the keyboard. Pictures are made in a temporary folder that is the
// program's current folder, so the choosers open on it.

#include "DriveList.h"
#include "ExtraPics.h"
#include "FileList.h"
#include "Main2.h"
#include "MediaPlayer.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "PictureBox.h"
#include "PictureFiles.h"
#include "WindowTest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString cannotOpen(const QString& path)
{
    return "The file \"" + path + "\" could not be opened as a picture.";
}

// What a failed Open or Exit must leave alone: every picture box, shown or not, and what it
// shows.
QList<qint64> state(Road& road)
{
    ExtraPics& extra = road.extraPictures();
    QList<qint64> s;
    for (const PictureBox* box :
         {road.main2().Picture1, extra.Picture1, extra.Picture2, extra.Picture3, extra.Picture4})
        s << box->isVisibleTo(box->window()) << box->content().cacheKey();
    return s;
}

QColor centreOf(const PictureBox& box)
{
    const QImage& seen = box.content();
    return seen.pixelColor((QRectF(box.rect()).center() * seen.devicePixelRatio()).toPoint());
}

} // namespace

class TestMediaWindows : public WindowTest
{
    Q_OBJECT

    QTemporaryDir temp;
    QString previousCurrent;
    QDir dir;

    Main2& main2()
    {
        if (!road->main2().isVisible())
            road->main2().show();
        return road->main2();
    }
    PictureChooser& chooser(const QString& which)
    {
        click(which == "task" ? main2().Command3 : main2().Command1);
        if (which == "task")
            return road->pictureChooser();
        return road->extraPictureChooser();
    }
    // A file clicked in the chooser, then Open.
    void open(const QString& which, const QString& name)
    {
        PictureChooser& shown = chooser(which);
        pictures::clickItem(shown.File1, name);
        click(shown.cmdOpen);
    }
    QString pathOf(const QString& name) const
    {
        return QDir::toNativeSeparators(dir.filePath(name));
    }

private slots:
    void initTestCase()
    {
        platform::registerFontSubstitutes();
        dir = QDir(temp.path());
        const auto save = [this](const QString& name, QSize size, QColor colour) {
            return writeFile(dir.filePath(name),
                             pictures::encode(pictures::plain(size, colour), "bmp"));
        };
        QVERIFY(save("wide.png", {400, 200}, Qt::red) && save("tall.png", {100, 400}, Qt::blue));
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
        for (int i = 0; i < 5; ++i)
            QVERIFY(save(QString("extra%1.png").arg(i), {900, 600}, colours[i]));
        QVERIFY(writeFile(dir.filePath("notes.jpg"), "Not a picture.\n"));
        QVERIFY(dir.mkdir("sub"));
        QVERIFY(writeFile(dir.filePath("huge.png"), pictures::pngClaiming(7000, 7000, 16)));
        previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.absolutePath()));
    }
    void cleanupTestCase() { QDir::setCurrent(previousCurrent); }

    void choosersStartHereAndDoubleClickOpens_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("task") << "task";
        QTest::newRow("extra") << "extra";
    }
    void choosersStartHereAndDoubleClickOpens()
    {
        QFETCH(QString, which);
        seams->volumes = [this] { return volumesAt({dir.absolutePath(), QDir::rootPath()}); };
        PictureChooser& shown = chooser(which);
        // The lists start at the program's current folder, the path box empty and focused.
        QCOMPARE(shown.File1->Path(), dir.absolutePath());
        QCOMPARE(shown.Drive1->ListIndex(), 0);
        QVERIFY(shown.Text1->text().isEmpty());
        QApplication::setActiveWindow(&shown);
        QVERIFY(QTest::qWaitForWindowActive(&shown));
        QCOMPARE(QApplication::focusWidget(), shown.Text1);
        shown.Drive1->setListIndex(1); // another drive: the lists follow it
        QCOMPARE(shown.File1->Path(), QDir::rootPath());
        shown.Drive1->setListIndex(0);

        pictures::clickItem(shown.File1, "tall.png", true);
        QVERIFY(!shown.isVisible());
        const PictureBox& box =
            which == "task" ? *main2().Picture1 : *road->extraPictures().Picture1;
        QVERIFY(box.isVisibleTo(box.window()));
        QCOMPARE(centreOf(box), QColor(Qt::blue));
        QCOMPARE(road->extraPictures().isVisible(), which == "extra");

        // The next run starts where the last picture was opened, wherever it starts itself.
        QVERIFY(QDir::setCurrent(dir.filePath("sub")));
        road = std::make_unique<Road>();
        QCOMPARE(chooser(which == "task" ? "extra" : "task").File1->Path(), dir.absolutePath());
        QVERIFY(QDir::setCurrent(dir.absolutePath()));
    }

    // A path typed into the path box, then Enter: a folder is shown, a picture opened.
    void typedPathsAreUsedAsMeant()
    {
        // What is typed | the folder shown then | opened | the message; @: the pictures' folder.
        for (const char* row :
             {"sub|@/sub||", "tall.png|@|1|", "\"@/sub/../tall.png\"|@|1|",
              "file://@/tall.png|@|1|", "@/none|@||There is no file or folder \"@/none\"."}) {
            const QStringList f =
                QString::fromLatin1(row).replace("@", dir.absolutePath()).split('|');
            restart();
            PictureChooser& shown = chooser("task");
            QTest::keyClicks(shown.Text1, f[0]);
            QTest::keyClick(shown.Text1, Qt::Key_Return);
            QCOMPARE(shown.File1->Path(), f[1]);
            QCOMPARE(main2().Picture1->isVisible(), !f[2].isEmpty());
            QCOMPARE(seams.messages.join(""), f[3]);
        }
    }

    // A click shows the path, Enter opens; Exit paints the choice into the box and leaves it as
    // it is: hidden here.
    void enterOpensAndExitPaintsTheTaskPicture()
    {
        PictureChooser& shown = chooser("task");
        pictures::clickItem(shown.File1, "wide.png");
        QCOMPARE(shown.Text1->text(), pathOf("wide.png"));
        QVERIFY(main2().Picture1->content().isNull());
        QTest::keyClick(shown.File1, Qt::Key_Return);
        QVERIFY(!shown.isVisible() && main2().Picture1->isVisible());
        QCOMPARE(centreOf(*main2().Picture1), QColor(Qt::red));

        restart();
        pictures::clickItem(chooser("task").File1, "tall.png");
        click(road->pictureChooser().Command1);
        QVERIFY(!road->pictureChooser().isVisible() && !main2().Picture1->isVisible());
        QCOMPARE(centreOf(*main2().Picture1), QColor(Qt::blue));
        QVERIFY(seams.messages.isEmpty());
    }

    // A task picture and an extra picture are there (where a file is chosen); a failed Open or
    // Exit changes nothing.
    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<bool>("exit");
        QTest::addColumn<QString>("name"); // empty: nothing clicked
        QTest::addColumn<QString>("message");
        // How the refusal of huge.png starts: the rest gives the memory left.
        const QString tooLarge = "The picture \"" + pathOf("huge.png") +
                                 "\" cannot be shown: it is 7000 x 7000 pixels and would need "
                                 "375 MB of memory, more than the ";
        for (const QString which : {"task", "extra"}) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s, %s", qPrintable(which), label) << which << false;
            };
            row("nothing chosen") << QString() << "No picture file has been chosen.";
            row("not a picture") << "notes.jpg" << cannotOpen(pathOf("notes.jpg"));
            row("too large") << "huge.png" << tooLarge;
        }
        QTest::newRow("exit, nothing chosen") << "task" << true << QString() << QString();
        QTest::newRow("exit, not a picture")
            << "task" << true << "notes.jpg" << cannotOpen(pathOf("notes.jpg"));
    }
    void refusalsChangeNothing()
    {
        QFETCH(QString, which);
        QFETCH(bool, exit);
        QFETCH(QString, name);
        QFETCH(QString, message);
        if (!name.isEmpty()) { // the choice is shared: none made for the other rows
            open("task", "wide.png");
            open("extra", "tall.png");
            click(road->extraPictures().Command1);
        }
        QVERIFY(seams.messages.isEmpty());

        PictureChooser& shown = chooser(which);
        if (!name.isEmpty())
            pictures::clickItem(shown.File1, name);
        const QList<qint64> before = state(*road);
        click(exit ? shown.Command1 : shown.cmdOpen);
        QCOMPARE(seams.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(seams.messages[0].startsWith(message), qPrintable(seams.messages[0]));
            QCOMPARE(seams.titles, QStringList{"Error"});
        }
        QCOMPARE(shown.isVisible(), !exit);
        QVERIFY(state(*road) == before);
        QVERIFY(!road->extraPictures().isVisible());
    }

    // The memory a picture may take is what the pictures already held leave: here none.
    void picturesHeldCountAgainstTheBudget()
    {
        static uchar byte; // a picture of 256 MB that is never read
        PictureBox& held = *road->extraPictures().Picture4;
        held.setContent(QImage(&byte, 8192, 8192, 8192 * 4, QImage::Format_RGB32));
        open("task", "wide.png");
        held.clear();
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY2(seams.messages[0].contains("cannot be shown"), qPrintable(seams.messages[0]));
    }

    void extraPicturesFillTheViewerUpToFour()
    {
        click(main2().Command4);
        QCOMPARE(seams.messages, QStringList{"You have not loaded any extra pictures yet. Please "
                                             "load extra pictures before viewing them"});
        QVERIFY(!madeWindow("ExtraPics"));
        seams.messages.clear();
        seams.titles.clear();

        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        ExtraPics& viewer = road->extraPictures();
        const QList<PictureBox*> boxes{viewer.Picture1, viewer.Picture2, viewer.Picture3,
                                       viewer.Picture4};
        for (int i = 0; i < 4; ++i) {
            open("extra", QString("extra%1.png").arg(i));
            QVERIFY(!road->extraPictureChooser().isVisible() && viewer.isVisible());
            QVERIFY(boxes[i]->isVisible() && (i == 3 || !boxes[i + 1]->isVisible()));
            viewer.close(); // the title bar's close box hides it, pictures kept
        }
        for (int i = 0; i < 4; ++i)
            QCOMPARE(centreOf(*boxes[i]), colours[i]);
        click(main2().Command4);
        QVERIFY(viewer.isVisible());
        click(viewer.Command1);
        QVERIFY(!viewer.isVisible() && seams.messages.isEmpty());

        PictureChooser& shown = chooser("extra");
        pictures::clickItem(shown.File1, "extra4.png");
        const QList<qint64> before = state(*road);
        click(shown.cmdOpen);
        QCOMPARE(seams.messages, QStringList{"You have already loaded the maximum 4 pictures"});
        QCOMPARE(seams.titles, QStringList{"Error"});
        QVERIFY(shown.isVisible() && !viewer.isVisible());
        QVERIFY(state(*road) == before);
    }

    void playVideoStartsTheFirstPlayerThatStarts()
    {
        // Players named by letter: those offered | those that start | those tried, in order.
        for (const char* row : {"ab|ab|a", "abc|c|abc", "ab||ab", "|a|"}) {
            const QStringList f = QString::fromLatin1(row).split(u'|');
            restart();
            seams->mediaPlayers = [&] {
                QList<MediaPlayer::Command> commands;
                for (const QChar program : f[0])
                    commands.append({program, {}});
                return commands;
            };
            QString attempts;
            seams->startProgram = [&](const MediaPlayer::Command& command) {
                attempts += command.program;
                return f[1].contains(command.program);
            };
            click(main2().Command5);
            QCOMPARE(attempts, f[2]);
            const bool failed = f[2].isEmpty() || !f[1].contains(f[2].right(1));
            QCOMPARE(seams.messages,
                     failed ? QStringList{"No media player could be started."} : QStringList{});
            QCOMPARE(seams.titles, failed ? QStringList{"Error"} : QStringList{});
        }
    }
};

QTEST_MAIN(TestMediaWindows)
#include "test_media_windows.moc"
