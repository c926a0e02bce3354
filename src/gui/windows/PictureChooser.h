#pragma once
// What the two picture choosers share: a drive list, a folder list and a file list to find a
// picture, a text box showing the current folder or the chosen file, and Exit and Open. They
// announce the file clicked and the button pressed; which file Open opens is kept by whoever
// listens, so Open in one chooser may open the file last clicked in the other. A path typed into
// the text box is used as meant: Open (or Enter) goes to a folder, or chooses and opens a file.

#include "Form.h"

class DriveList;
class FileList;
class FolderList;
class QLineEdit;
class QPushButton;
class TaggedValue;

class PictureChooser : public Form
{
    Q_OBJECT

public:
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_DblClick();
    void cmdOpen_Click();
    void Command1_Click();

    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* cmdOpen;

signals:
    // A file was clicked: its whole path, as the text box shows it.
    void fileChosen(const QString& path);
    void openRequested();
    void exitRequested();

protected:
    // Designed positions in twips.
    struct Layout
    {
        QSize client;
        QRect drive, folder, file, text, exit, open;
    };
    // The drive lists of all windows share `lastDriveIndex`. The lists start in `startFolder`.
    PictureChooser(const QString& name, const Layout& layout, TaggedValue& lastDriveIndex,
                   const QString& startFolder);

private:
    // Goes to the folder typed, or chooses the file typed (true: it is to be opened).
    bool useTypedPath();

    TaggedValue& m_lastDriveIndex;
};
