#pragma once
// What every window with a drive list does when the drive changes: the folder list moves to
// the new drive's current folder, and the drive's position is remembered in `lastDriveIndex`,
// which all of them share. A drive that cannot be listed puts the drive list back to the
// remembered position (the first drive when none is remembered) without a word; that change is
// itself a drive change, so the folder list follows the drive shown.

#include <QString>

class DriveList;
class FolderList;
class TaggedValue;

void changeDrive(DriveList& drives, FolderList& folders, TaggedValue& lastDriveIndex);

// Puts the lists on `folder` and the drive that holds it: a folder typed, or where a window's
// lists start. That is where they are, not a drive change, so no drive change handler runs for
// it. False, and nothing changed, when the folder cannot be listed.
bool goToFolder(DriveList& drives, FolderList& folders, const QString& folder);

// Where a window's lists start: `folder`, or the folder the program was started from when that
// cannot be listed (or none is given).
void startIn(DriveList& drives, FolderList& folders, const QString& folder);
