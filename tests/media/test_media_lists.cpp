// The drive, folder and file lists as a person uses them, and the drive recovery every window
// with a drive list shares.

#include "DriveChange.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "PictureFiles.h"
#include "WindowTest.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    // The names a list shows, in order.
    template <typename List> static QStringList names(const List& list)
    {
        QStringList shown;
        for (int i = 0; i < list.ListCount(); ++i)
            shown << QFileInfo(list.List(i)).fileName();
        return shown;
    }

private slots:
    void initTestCase()
    {
        root = temp.filePath("top");
        folder = QDir::cleanPath(root + "/mid/here");
        // Names that sort differently with and without letter case.
        for (const char* sub : {"Zeta", "alpha", ".hidden", "Beta"})
            QVERIFY(QDir().mkpath(folder + "/" + sub));
        for (const char* name : {"B.png", "a.jpg", ".secret", "c.TXT", "alpha/inside.png"})
            QVERIFY(writeFile(folder + "/" + name, {}));
        for (const QString& drive : drives())
            QVERIFY(QDir().mkpath(drive + "/deeper"));
    }
    void init()
    {
        seams.install();
        seams->volumes = [this] { return volumesAt(drives()); };
    }
    void cleanup() { seams.uninstall(); }

    // The folder, its ancestors up to the root, and its subfolders; a single click selects,
    // a double click opens.
    void folderList()
    {
        FolderList list;
        list.resize(300, 600);
        list.show();
        QSignalSpy changes(&list, &FolderList::Change);
        QSignalSpy clicks(&list, &FolderList::Click);
        QVERIFY(list.setPath(folder));
        QCOMPARE(list.ListIndex(), -1);
        // Subfolders, hidden ones too, sorted with letter case ignored; no files.
        QCOMPARE(names(list), (QStringList{".hidden", "alpha", "Beta", "Zeta"}));
        // The current folder is -1, its parent -2, ... up to the root.
        QCOMPARE(list.List(-1), folder);
        QCOMPARE(list.List(-3), QDir::cleanPath(root));
        const int depth = list.count() - list.ListCount();
        QCOMPARE(list.List(-depth), QDir::rootPath());
        QVERIFY(list.List(-depth - 1).isEmpty() && list.List(list.ListCount()).isEmpty());
        // What cannot be listed leaves the list as it was.
        for (const QString& path :
             {temp.filePath("no such folder"), folder + "/B.png", QString()}) {
            QVERIFY(!list.setPath(path));
            QCOMPARE(list.Path(), folder);
            QCOMPARE(list.ListCount(), 4);
        }
        QCOMPARE(changes.count(), 1);

        pictures::clickItem(&list, "alpha");
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(list.ListIndex(), 1);
        QCOMPARE(list.clickedPath(), folder + "/alpha");
        pictures::clickItem(&list, "mid"); // an ancestor clicked once is only selected too
        QCOMPARE(list.ListIndex(), -2);
        QCOMPARE(list.Path(), folder);
        QCOMPARE(changes.count(), 1);
        pictures::clickItem(&list, "alpha", true);
        QCOMPARE(list.Path(), folder + "/alpha");
        QCOMPARE(list.ListCount(), 0);
        pictures::clickItem(&list, "here", true);
        QCOMPARE(list.Path(), folder);
        QCOMPARE(changes.count(), 3);
    }

    void fileListSortsIgnoringCaseAndReportsClicks()
    {
        FileList list;
        list.resize(300, 400);
        list.show();
        QVERIFY(list.setPath(folder));
        QCOMPARE(names(list), (QStringList{".secret", "a.jpg", "B.png", "c.TXT"}));
        QVERIFY(list.FileName().isEmpty());
        QVERIFY(!list.setPath(temp.filePath("no such folder")));
        QCOMPARE(list.Path(), folder);

        QStringList events;
        connect(&list, &FileList::Click, this, [&] { events << "Click " + list.FileName(); });
        connect(&list, &FileList::DblClick, this, [&] { events << "DblClick " + list.FileName(); });
        pictures::clickItem(&list, "a.jpg");
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Down);
        pictures::clickItem(&list, "c.TXT", true);
        QCOMPARE(events,
                 (QStringList{"Click a.jpg", "Click B.png", "Click c.TXT", "DblClick c.TXT"}));
        QVERIFY(list.setPath(folder + "/alpha")); // a new folder: nothing chosen
        QVERIFY(list.FileName().isEmpty());
        QCOMPARE(list.ListCount(), 1);
    }

    void driveListListsTheVolumes()
    {
        DriveList list;
        QCOMPARE(list.ListCount(), 3);
        QCOMPARE(list.List(2), drives()[2]);
        QCOMPARE(list.Drive(), drives()[0]);
        QSignalSpy changes(&list, &DriveList::Change);
        list.setListIndex(2);
        list.setListIndex(2);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.Drive(), drives()[2]);
        // The drive holding a path is the longest root that contains it as a folder.
        QCOMPARE(list.indexOfDriveHolding(drives()[1] + "/deeper"), 1);
        QCOMPARE(list.indexOfDriveHolding(drives()[1]), 1);
        QCOMPARE(list.indexOfDriveHolding(drives()[1] + "x/deeper"), -1);
        QCOMPARE(list.indexOfDriveHolding(QDir::rootPath()), -1);

        seams->volumes = {}; // the real volumes hold the current folder
        DriveList real;
        const int current = real.indexOfDriveHolding(QDir::currentPath());
        QVERIFY(current >= 0);
        QCOMPARE(DriveList::currentFolderOn(real.List(current)), QDir::currentPath());
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
        TaggedValue lastDrive;
        if (remembered >= 0)
            lastDrive = TaggedValue(std::int16_t(remembered));

        DriveList driveList;
        FolderList folderList;
        QVERIFY(folderList.setPath(folder));
        connect(&driveList, &DriveList::Change, this,
                [&] { changeDrive(driveList, folderList, lastDrive); });
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
        QCOMPARE(folderList.Path(), folderDrive < 0 ? folder : drives()[folderDrive]);
        QVERIFY(seams.messages.isEmpty());
        const int last = chosenReady ? chosen : std::max(remembered, 0);
        QCOMPARE(lastDrive, TaggedValue(std::int16_t(last)));
    }
};

QTEST_MAIN(TestMediaLists)
#include "test_media_lists.moc"
