#pragma once
// The task picture chooser: Open shows the chosen picture in the posture selection window's
// picture box.

#include "PictureChooser.h"

class OpenPictureFile : public PictureChooser
{
    Q_OBJECT

public:
    OpenPictureFile();

    void cmdOpen_Click() override;
    void Command1_Click() override;

private:
    // Reads the chosen picture and has the posture selection window show it; false when it
    // cannot be shown (the person has been told why).
    bool showChosenPicture(bool reveal);
};
