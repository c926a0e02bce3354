// The drive, folder and file lists as a person uses them, and the drive recovery every window
// with a drive list shares.

#include "DriveChange.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "WindowTest.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QListWidgetItem* itemNamed(QListWidget& list, const QString& text)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text().trimmed() == text)
            return list.item(row);
    }
    return nullptr;
}

QPoint centreOf(QListWidget& list, QListWidgetItem* item)
{
    list.scrollToItem(item);
    return list.visualItemRect(item).center();
}

void click(QListWidget& list, const QString& text)
{
    QListWidgetItem* item = itemNamed(list, text);
    QVERIFY2(item, qPrintable(text));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(list, item));
}

void doubleClick(QListWidget& list, const QString& text)
{
    QListWidgetItem* item = itemNamed(list, text);
    QVERIFY2(item, qPrintable(text));
    const QPoint at = centreOf(list, item);
    // A person's double click: the first click arrives on its own, then the second as the
    // double click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestMediaLists : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString root;   // <temp>/top
    QString folder; // <temp>/top/mid/here
    SeamRecorder seams;

    QStringList drives() const
    {
        return {temp.filePath("A"), temp.filePath("B"), temp.filePath("C")};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(temp.isValid());
        root = temp.filePath("top");
        folder = root + "/mid/here";
        for (const char* sub : {"Zeta", "alpha", ".hidden", "Beta"})
            QVERIFY(QDir().mkpath(folder + "/" + sub));
        for (const char* name : {"b.png", "A.jpg", ".secret", "c.TXT"})
            touch(folder + "/" + name);
        touch(folder + "/alpha/inside.png");
        for (const QString& drive : drives())
            QVERIFY(QDir().mkpath(drive + "/deeper"));
    }
    void init()
    {
        seams.resetAll();
        seams.install();
        seams->volumes = [this] { return drives(); };
    }
    void cleanup() { seams.resetAll(); }

    void folderListShowsThePathDownAndTheSubfolders()
    {
        FolderList list;
        QSignalSpy changes(&list, &FolderList::Change);
        QVERIFY(list.setPath(folder));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.Path(), QDir::cleanPath(folder));
        QCOMPARE(list.ListIndex(), -1);

        // Subfolders, hidden ones too, sorted with letter case ignored; no files.
        QStringList subfolders;
        for (int i = 0; i < list.ListCount(); ++i)
            subfolders << QFileInfo(list.List(i)).fileName();
        QCOMPARE(subfolders, (QStringList{".hidden", "alpha", "Beta", "Zeta"}));

        // The current folder is -1, its parent -2, ... up to the root, each indented deeper.
        QCOMPARE(list.List(-1), QDir::cleanPath(folder));
        QCOMPARE(list.List(-2), QDir::cleanPath(root + "/mid"));
        QCOMPARE(list.List(-3), QDir::cleanPath(root));
        const int depth = list.count() - list.ListCount();
        QCOMPARE(list.List(-depth), QDir::rootPath());
        QVERIFY(list.List(-depth - 1).isEmpty());
        QVERIFY(list.List(list.ListCount()).isEmpty());
        auto indent = [&](int row) {
            const QString text = list.item(row)->text();
            return text.size() - text.trimmed().size();
        };
        for (int row = 1; row < depth; ++row)
            QVERIFY(indent(row) > indent(row - 1));
        QCOMPARE(indent(depth), indent(depth - 1) + indent(1));
    }

    void folderListRefusesWhatCannotBeListed_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << temp.filePath("no such folder");
        QTest::newRow("a file") << folder + "/b.png";
        QTest::newRow("empty") << QString();
    }
    void folderListRefusesWhatCannotBeListed()
    {
        QFETCH(QString, path);
        FolderList list;
        QVERIFY(list.setPath(folder));
        QSignalSpy changes(&list, &FolderList::Change);
        QVERIFY(!list.setPath(path));
        QCOMPARE(list.Path(), QDir::cleanPath(folder));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(list.ListCount(), 4);
    }

    void singleClickSelectsDoubleClickOpens()
    {
        FolderList list;
        list.resize(300, 600);
        list.show();
        QVERIFY(list.setPath(folder));
        QSignalSpy changes(&list, &FolderList::Change);
        QSignalSpy clicks(&list, &FolderList::Click);

        click(list, "alpha");
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(list.Path(), QDir::cleanPath(folder));
        QCOMPARE(list.ListIndex(), 1);
        QCOMPARE(list.clickedPath(), QDir::cleanPath(folder + "/alpha"));

        // An ancestor clicked once is only selected too.
        click(list, "mid");
        QCOMPARE(list.ListIndex(), -2);
        QCOMPARE(list.Path(), QDir::cleanPath(folder));

        doubleClick(list, "alpha");
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.Path(), QDir::cleanPath(folder + "/alpha"));
        QCOMPARE(list.ListCount(), 0);

        // Up again by the ancestor, and in by the keyboard.
        doubleClick(list, "here");
        QCOMPARE(list.Path(), QDir::cleanPath(folder));
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.ListIndex(), 0);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.Path(), QDir::cleanPath(folder + "/.hidden"));
        QCOMPARE(changes.count(), 3);
    }

    void fileListShowsEveryFileSortedIgnoringCase()
    {
        FileList list;
        list.resize(300, 400);
        list.show();
        QVERIFY(list.setPath(folder));
        QStringList names;
        for (int i = 0; i < list.ListCount(); ++i)
            names << list.List(i);
        QCOMPARE(names, (QStringList{".secret", "A.jpg", "b.png", "c.TXT"}));
        QVERIFY(list.FileName().isEmpty());
        QVERIFY(!list.setPath(temp.filePath("no such folder")));
        QCOMPARE(list.Path(), QDir::cleanPath(folder));
    }

    void fileListClicks()
    {
        FileList list;
        list.resize(300, 400);
        list.show();
        QVERIFY(list.setPath(folder));
        QStringList events;
        connect(&list, &FileList::Click, this, [&] { events << "Click " + list.FileName(); });
        connect(&list, &FileList::DblClick, this, [&] { events << "DblClick " + list.FileName(); });

        click(list, "b.png");
        QCOMPARE(events, QStringList{"Click b.png"});
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(events.last(), QStringLiteral("Click c.TXT"));
        events.clear();
        doubleClick(list, "A.jpg");
        QCOMPARE(events, (QStringList{"Click A.jpg", "DblClick A.jpg"}));

        // A new folder: nothing chosen.
        QVERIFY(list.setPath(folder + "/alpha"));
        QVERIFY(list.FileName().isEmpty());
        QCOMPARE(list.ListCount(), 1);
    }

    void driveListListsTheVolumes()
    {
        DriveList list;
        QCOMPARE(list.ListCount(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(list.List(i), drives()[i]);
        QCOMPARE(list.ListIndex(), 0);
        QCOMPARE(list.Drive(), drives()[0]);
        QSignalSpy changes(&list, &DriveList::Change);
        list.setListIndex(2);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.Drive(), drives()[2]);
        list.setListIndex(2);
        QCOMPARE(changes.count(), 1);

        // The drive holding a path is the longest root that contains it as a folder.
        QCOMPARE(list.indexOfDriveHolding(drives()[1] + "/deeper"), 1);
        QCOMPARE(list.indexOfDriveHolding(drives()[1]), 1);
        QCOMPARE(list.indexOfDriveHolding(drives()[1] + "x/deeper"), -1);
        QCOMPARE(list.indexOfDriveHolding(QDir::rootPath()), -1);
    }

    void realVolumesHoldTheCurrentFolder()
    {
        seams->volumes = {};
        DriveList list;
        QVERIFY(list.ListCount() > 0);
        for (int i = 0; i < list.ListCount(); ++i)
            QVERIFY2(QFileInfo(list.List(i)).isDir(), qPrintable(list.List(i)));
        const int current = list.indexOfDriveHolding(QDir::currentPath());
        QVERIFY(current >= 0);
        QCOMPARE(DriveList::currentFolderOn(list.List(current)), QDir::currentPath());
    }

    void driveChangeFollowsOrPutsTheListBack_data()
    {
        QTest::addColumn<int>("remembered"); // -1: nothing remembered yet
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("chosenReady");
        QTest::addColumn<int>("drive");       // the drive list's position afterwards
        QTest::addColumn<int>("folderDrive"); // whose root the folder list shows; -1: unmoved

        QTest::newRow("ready drive is followed and remembered") << -1 << 2 << true << 2 << 2;
        QTest::newRow("back to the remembered drive") << 1 << 2 << false << 1 << 1;
        QTest::newRow("nothing remembered: back to the first") << -1 << 2 << false << 0 << 0;
        QTest::newRow("remembered drive gone too: stays there") << 2 << 1 << false << 2 << -1;
    }
    void driveChangeFollowsOrPutsTheListBack()
    {
        QFETCH(int, remembered);
        QFETCH(int, chosen);
        QFETCH(bool, chosenReady);
        QFETCH(int, drive);
        QFETCH(int, folderDrive);
        const QString notReady = chosenReady ? QString() : drives()[chosen];
        seams->driveReady = [&](const QString& r) { return r != notReady; };
        if (remembered >= 0)
            Module1::LastDriveIndex = TaggedValue(std::int16_t(remembered));

        DriveList driveList;
        FolderList folderList;
        const QString start = this->folder;
        QVERIFY(folderList.setPath(start));
        connect(&driveList, &DriveList::Change, this, [&] { changeDrive(driveList, folderList); });
        // The remembered drive was where the list stood; the row where it has gone away too
        // starts there with the list of a drive that no longer answers.
        if (remembered >= 0) {
            const QSignalBlocker blocker(driveList);
            driveList.setListIndex(remembered);
        }
        if (folderDrive < 0)
            seams->driveReady = [&](const QString&) { return false; };

        driveList.setListIndex(chosen);
        QCOMPARE(driveList.ListIndex(), drive);
        QCOMPARE(folderList.Path(),
                 folderDrive < 0 ? QDir::cleanPath(start) : drives()[folderDrive]);
        QVERIFY(seams.messages.isEmpty());
        if (chosenReady)
            QCOMPARE(Module1::LastDriveIndex, TaggedValue(std::int16_t(chosen)));
        else if (remembered < 0)
            QCOMPARE(Module1::LastDriveIndex, TaggedValue(std::int16_t(0)));
        else
            QCOMPARE(Module1::LastDriveIndex, TaggedValue(std::int16_t(remembered)));
    }
};

QTEST_MAIN(TestMediaLists)
#include "test_media_lists.moc"
