#pragma once
// A drive list: a drop-down of the mounted volumes (drive letters on Windows, mount points
// elsewhere). Every change of the selection, by the user or by the program, raises Change().
// Which volumes exist and whether one can be listed are seams (Seams.h), so that tests can
// present drives of their own and make one of them "not ready".

#include "Seams.h"

#include <QComboBox>
#include <QStringList>

class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // Position of the current entry, -1 when the list is empty.
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index) { setCurrentIndex(index); }
    int ListCount() const { return count(); }
    // Root path of entry `index`.
    QString List(int index) const;
    // Root path of the current entry (empty when the list is empty).
    QString Drive() const { return List(currentIndex()); }
    // Position of the drive that holds `path` (the listed root that is its longest prefix), -1
    // when none does.
    int indexOfDriveHolding(const QString& path) const;

    // Reads the volumes again, keeping the current drive when it is still there.
    void refresh();

    // The volumes to list, in order.
    static QList<platform::Volume> volumes();
    // Whether the volume at `root` can be listed now (a drive may go away after it was listed).
    static bool isReady(const QString& root);
    // The folder a folder list shows when its drive is chosen: the program's current folder if
    // it lies on that drive, else the drive's root.
    static QString currentFolderOn(const QString& root);

signals:
    void Change();

private:
    static QString driveHolding(const QStringList& roots, const QString& path);
};
