#pragma once
// The save dialog: a drive, a folder and a name. Save announces the folder and the name. The
// folder list shows the reports already in the folder; clicking one takes its name. A path
// typed as the name is used as meant: a folder to go to, or a folder and a name.

#include "Form.h"

class DriveList;
class FolderList;
class QLabel;
class QLineEdit;
class QPushButton;
class TaggedValue;

class Save : public Form
{
    Q_OBJECT

public:
    // Starts with `name` in the name box and the lists in `startFolder`. The drive lists of all
    // windows share `lastDriveIndex`.
    Save(const QString& name, TaggedValue& lastDriveIndex, const QString& startFolder);

    void Drive1_Change();
    void Dir1_Click();
    void Text1_KeyPress(std::int16_t keyAscii);
    void Command1_Click(); // "&Save"
    void Command2_Click(); // "&Exit"

    // Empties the name box, so that the assessor types another name.
    void clearName();

    DriveList* Drive1;
    FolderList* Dir1;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

signals:
    // A name without control characters, and the folder shown.
    void saveRequested(const QString& folder, const QString& name);

private:
    // Goes to the folder a typed path names; true when a name is left to save under.
    bool followTypedPath();

    TaggedValue& m_lastDriveIndex;
};
