#pragma once
// The save dialog: a drive, a folder and a name. Save writes both files at once, or first asks
// through the overwrite confirmation when a report of that name is already in the folder.

#include "Form.h"

class DriveList;
class FolderList;
class QLabel;
class QLineEdit;
class QPushButton;

class Save : public Form
{
    Q_OBJECT

public:
    Save();

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

private:
    void Form_Load();
};
