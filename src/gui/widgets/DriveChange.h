#pragma once
// What every window with a drive list does when the drive changes: the folder list moves to
// the new drive's current folder, and the drive's position is remembered in `lastDriveIndex`,
// which all of them share. A drive that cannot be listed puts the drive list back to the
// remembered position (the first drive when none is remembered) without a word; that change is
// itself a drive change, so the folder list follows the drive shown.

class DriveList;
class FolderList;
class TaggedValue;

void changeDrive(DriveList& drives, FolderList& folders, TaggedValue& lastDriveIndex);

// Puts the lists on the program's current drive and folder, where a window's lists start.
// That is where they are, not a change, so no drive change handler runs for it.
void startAtCurrentFolder(DriveList& drives, FolderList& folders);
