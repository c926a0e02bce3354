#include "DriveChange.h"

#include "DriveList.h"
#include "FolderList.h"
#include "TaggedValue.h"

#include <QDir>
#include <QSignalBlocker>

void changeDrive(DriveList& drives, FolderList& folders, TaggedValue& lastDriveIndex)
{
    const QString root = drives.Drive();
    if (!root.isEmpty() && DriveList::isReady(root) &&
        folders.setPath(DriveList::currentFolderOn(root))) {
        lastDriveIndex = TaggedValue(static_cast<std::int16_t>(drives.ListIndex()));
        return;
    }
    // Setting the position it already has raises nothing, so a remembered drive that has gone
    // away too ends the chain here.
    const int remembered = lastDriveIndex.toInteger();
    drives.setListIndex(remembered < drives.ListCount() ? remembered : 0);
}

bool goToFolder(DriveList& drives, FolderList& folders, const QString& folder)
{
    if (folder.isEmpty() || !folders.setPath(folder))
        return false;
    const int drive = drives.indexOfDriveHolding(folders.Path());
    if (drive >= 0) {
        const QSignalBlocker blocker(drives);
        drives.setListIndex(drive);
    }
    return true;
}

void startIn(DriveList& drives, FolderList& folders, const QString& folder)
{
    if (!goToFolder(drives, folders, folder))
        goToFolder(drives, folders, QDir::currentPath());
}
