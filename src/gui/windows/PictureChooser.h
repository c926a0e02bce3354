#pragma once
// What the two picture choosers share: a drive list, a folder list and a file list to find a
// picture, a text box showing the current folder or the chosen file, and Exit and Open. The
// file chosen in either of them is the one assessment-wide choice
// (Module1::SelectedPicturePath), so Open in one uses the file last clicked in the other.

#include "FitAndCentre.h"
#include "Form.h"
#include "PictureLoader.h"

#include <functional>

class DriveList;
class FileList;
class FolderList;
class PictureBox;
class QLineEdit;
class QPushButton;

class PictureChooser : public Form
{
    Q_OBJECT

public:
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_DblClick();
    virtual void cmdOpen_Click() = 0;
    virtual void Command1_Click() = 0;

    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* cmdOpen;

protected:
    // Designed positions in twips.
    struct Layout
    {
        QSize client;
        QRect drive, folder, file, text, exit, open;
    };
    PictureChooser(const QString& name, const Layout& layout);

    // Reads the chosen picture for a box of `deviceSize`, within the memory the pictures
    // already held leave. On failure says which file could not be shown, and why.
    static LoadedPicture loadChosenPicture(QSize deviceSize);
    // Keeps the picture on `surface` and has `show` paint it; the fit is stored in the
    // assessment.
    using Show = std::function<FitResult(const QImage& picture, QSizeF pictureSize)>;
    static void paintPicture(LoadedPicture picture, QImage& surface, const Show& show);
};
