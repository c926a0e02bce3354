// Listing a large folder: 10,000 files and 10,000 subfolders in the task picture chooser (its
// folder list and file list) and in the save dialog (its folder list, with the reports of the
// folder), until they are painted: when the window opens on the folder, and when the person
// goes into it. The baseline is the floor of the job: the
// same folder read with QDir, names sorted, nothing shown.
//
// Run it as it is for the figures without assistive technology, and through
// tools/with-screen-reader.sh for the figures with a screen reader listening on the
// accessibility bus (Xvfb, a D-Bus session and AT-SPI, as a desktop with a screen reader has).

#include "BenchTable.h"
#include "FileList.h"
#include "FolderList.h"
#include "OpenPictureFile.h"
#include "Platform.h"
#include "Road.h"
#include "Save.h"
#include "Seams.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Entries = 10000;
constexpr int Runs = 7;

// Shows `window` with its folder list in focus, then times going from `small` into `big` until
// the window is painted.
Sample timeListing(Form& window, FolderList& folders, const QString& small, const QString& big)
{
    window.show();
    window.activateWindow();
    folders.setFocus(); // as with the keyboard: Enter on a folder
    QApplication::processEvents();
    return measureTimed(Runs, [&] {
        folders.setPath(small);
        window.repaint();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        folders.setPath(big);
        window.repaint();
        QApplication::processEvents();
        return elapsedMs(timer);
    });
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::registerFontSubstitutes();
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest&) { return false; };
    seams->endProgram = [] {};
    QHash<QString, QString> noFoldersRemembered;
    seams->rememberedFolders = &noFoldersRemembered;

    QTemporaryDir temp;
    const QString big = temp.filePath(QStringLiteral("big"));
    const QString small = temp.filePath(QStringLiteral("small"));
    QDir().mkpath(small);
    QDir().mkpath(big);
    for (int i = 0; i < Entries; ++i) {
        QDir(big).mkdir(QStringLiteral("folder %1").arg(i, 5, 10, QLatin1Char('0')));
        QFile file(QStringLiteral("%1/picture %2.jpg").arg(big).arg(i, 5, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < 20; ++i)
        QFile(QStringLiteral("%1/Report %2 VESK Analysis.txt").arg(big).arg(i))
            .open(QIODevice::WriteOnly);

    // The accessibility bus is joined once the event loop runs.
    QElapsedTimer waited;
    waited.start();
    while (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") && !QAccessible::isActive() &&
           waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("%d files and %d folders; platform %s; accessibility %s\n", Entries, Entries,
                qPrintable(QGuiApplication::platformName()),
                QAccessible::isActive() ? "active" : "not active");
    printHeader();
    const Sample floor = measure(Runs, [&] {
        QDir(big).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    });

    // The program started in the large folder: the windows open on it.
    QDir::setCurrent(big);
    const Sample firstChooser = measure(3, [] {
        Road fresh;
        fresh.pictureChooser().show();
        fresh.pictureChooser().repaint();
        QApplication::processEvents();
    });
    printRow("task picture chooser opens on the folder", firstChooser, floor, "< 1000 ms");
    const Sample firstSave = measure(3, [] {
        Road fresh;
        fresh.save().show();
        fresh.save().repaint();
        QApplication::processEvents();
    });
    printRow("save dialog opens on the folder", firstSave, floor, "< 1000 ms");
    QDir::setCurrent(small);

    Road road;
    OpenPictureFile& chooser = road.pictureChooser();
    const Sample picture = timeListing(chooser, *chooser.Dir1, small, big);
    chooser.Dir1->setPath(big);
    if (chooser.File1->ListCount() != Entries + 20)
        qFatal("the file list shows %d files", chooser.File1->ListCount());
    printRow("task picture chooser goes into the folder", picture, floor, "< 1000 ms");
    chooser.hide();

    Save& save = road.save();
    const Sample saving = timeListing(save, *save.Dir1, small, big);
    save.Dir1->setPath(big);
    if (save.Dir1->ListCount() != Entries)
        qFatal("the folder list shows %d folders", save.Dir1->ListCount());
    printRow("save dialog goes into the folder", saving, floor, "< 1000 ms");
    return 0;
}
