#pragma once
// The save dialog: a drive, a folder and a name. Save announces the folder and the name.

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
    // Starts with `name` in the name box. The drive lists of all windows share
    // `lastDriveIndex`.
    Save(const QString& name, TaggedValue& lastDriveIndex);

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
    TaggedValue& m_lastDriveIndex;
};
