// Saving as a person does it, from the risk level window to both files in the chosen folder,
// and every way a save can fail without losing the old files or the assessment.

#include "CautionStatement.h"
#include "DriveList.h"
#include "EmployeeDetails.h"
#include "FolderList.h"
#include "Main2.h"
#include "OverwriteFile.h"
#include "ReadBack.h"
#include "ReportFields.h"
#include "ReportFiles.h"
#include "Save.h"
#include "SvgPicture.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"
#include "WindowTest.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

void chooseFolder(Save& save, const QString& folder)
{
    QVERIFY(save.Dir1->setPath(folder));
}

} // namespace

class TestSaving : public WindowTest
{
    Q_OBJECT

private slots:
    void wholeRoadWritesBothFiles()
    {
        QTemporaryDir folder;
        Save& save = walk::toSaveDialog(*road, QStringLiteral("Anna O'Brien"));
        QVERIFY(save.isVisible());
        QCOMPARE(save.windowTitle(), QStringLiteral("Save"));
        QCOMPARE(save.Text1->text(), QStringLiteral("Anna O'Brien"));
        chooseFolder(save, folder.path());
        save.Command1->click();

        QVERIFY(seams.messages.size() == 1 && seams.messages[0].startsWith("File Saved\n\n"));
        QVERIFY(seams.messages[0].contains(QDir::toNativeSeparators(folder.path())));
        QCOMPARE(seams.endRequests, 1);
        // Saved: nothing is left to recover.
        QCOMPARE(QDir(recoveries->path()).entryList({"recovery-*"}), QStringList());
        const QString stem = folder.filePath("Anna O'Brien VESK Analysis");
        QCOMPARE(entriesOf(folder.path()),
                 (QStringList{"Anna O'Brien VESK Analysis.mdb", "Anna O'Brien VESK Analysis.txt"}));
        QCOMPARE(readAll(stem + ".txt"), dataFile("report-road.txt"));

        // Both readers see the same two tables with the worked example's values.
        const QStringList results = {"8", "High", "2", "1", "2", "10", "High", "3",
                                     "2", "1",    "3", "2", "2", "1",  "1",    "2"};
        for (const auto& tables :
             {readback::mdbTools(stem + ".mdb"), readback::mdbReader(stem + ".mdb")}) {
            QCOMPARE(tables.size(), std::size_t(2));
            QCOMPARE(tables[0].name, QStringLiteral("VESKResult"));
            QCOMPARE(tables[0].rows, QList<QStringList>{results});
            QVERIFY(tables[0].columns.first().startsWith("VESK Score - Left Arm "));
            QCOMPARE(tables[1].name, QStringLiteral("EmployeeDetails"));
            QCOMPARE(tables[1].rows, (QList<QStringList>{{"Anna OBrien", "E-1234", "Hall B"}}));
        }
    }

    // A report or a database of that name, or both: the question names what it would replace,
    // and Enter answers "New Filename".
    void existingFilesAskFirst_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::newRow("report") << QStringList{"Bench VESK Analysis.txt"};
        QTest::newRow("database alone") << QStringList{"Bench VESK Analysis.mdb"};
        QTest::newRow("both") << QStringList{"Bench VESK Analysis.txt", "Bench VESK Analysis.mdb"};
    }
    void existingFilesAskFirst()
    {
        QFETCH(QStringList, existing);
        QTemporaryDir folder;
        for (const QString& name : existing)
            QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
        Save& save = walk::toSaveDialog(*road, QStringLiteral("Bench"));
        chooseFolder(save, folder.path());
        save.Command1->click();
        auto* confirmation = qobject_cast<OverwriteFile*>(madeWindow("OverwriteFile"));
        QVERIFY(confirmation && confirmation->isVisible());
        QCOMPARE(confirmation->Label1->text(),
                 QStringLiteral("It would replace: ") + existing.join(QStringLiteral(", ")));
        QVERIFY(save.isVisible());
        QCOMPARE(save.Text1->text(), QString());
        QVERIFY(seams.messages.isEmpty());

        QCOMPARE(confirmation->focusWidget(), confirmation->Command5);
        QTest::keyClick(confirmation->Command5, Qt::Key_Return);
        QTRY_COMPARE(seams.messages, QStringList{"Please select another file name"});
        QVERIFY(!confirmation->isVisible());
        QVERIFY(save.isVisible());
        QCOMPARE(save.Text1->text(), QString());
        for (const QString& name : existing)
            QCOMPARE(readAll(folder.filePath(name)), QByteArray());
    }

    void overwriteReplacesBothFiles()
    {
        QTemporaryDir folder;
        const QString stem = folder.filePath("Bench VESK Analysis");
        QVERIFY(writeFile(stem + ".mdb", "old") && writeFile(stem + ".txt", "old"));
        Save& save = walk::toSaveDialog(*road, QString(), QStringLiteral("N-2"), QString());
        chooseFolder(save, folder.path());
        save.Text1->setText(QStringLiteral("Bench"));
        save.Command1->click();
        save.Text1->setText(QStringLiteral("Something else"));
        road->overwrite().Command3->click();
        QVERIFY(seams.messages.size() == 1 && seams.messages[0].startsWith("File Saved\n\n"));
        QVERIFY(readAll(stem + ".mdb").startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)));
        QVERIFY(readAll(stem + ".txt")
                    .endsWith("\"Employee ID:\"\r\n\"N-2\"\r\n"
                              "\"Employee Location:\"\r\n\"\"\r\n"));
        QCOMPARE(entriesOf(folder.path()).size(), 2);
    }

    // A failed save (here: the folder went away) says why and what is on disk, and the program
    // stays on the save dialog with the assessment; every way to fail is tested on the writer.
    void failedSaveKeepsTheProgramRunning()
    {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("gone"));
        Save& save = walk::toSaveDialog(*road, QStringLiteral("Bench"));
        chooseFolder(save, folder.filePath("gone"));
        QDir(folder.filePath("gone")).removeRecursively();
        save.Command1->click();
        QCOMPARE(seams.endRequests, 0);
        QVERIFY(seams.messages.last().startsWith("The assessment could not be saved."));
        QVERIFY(seams.messages.last().contains("Nothing has been lost"));
        QVERIFY(save.isVisible());
        QVERIFY(entriesOf(folder.path()).isEmpty());
    }

    // Saving belongs to the risk levels on screen: leaving them closes the save windows.
    void leavingTheRiskLevelsClosesTheSaveWindows()
    {
        QTemporaryDir folder;
        Save& save = walk::toSaveDialog(*road, QStringLiteral("Bench"));
        chooseFolder(save, folder.path());
        QFile(folder.filePath("Bench VESK Analysis.txt")).open(QIODevice::WriteOnly);
        save.Command1->click();
        QVERIFY(road->overwrite().isVisible());
        road->riskLevel().Command2->click();
        QVERIFY(!save.isVisible());
        QVERIFY(!road->overwrite().isVisible());
    }
};

QTEST_MAIN(TestSaving)
#include "test_saving.moc"
