#include "MediaActions.h"

#include "ExtraPics.h"
#include "Forms.h"
#include "MediaPlayer.h"
#include "Module1.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "Platform.h"

void showTaskPictureChooser()
{
    Forms::show<OpenPictureFile>();
}

void showExtraPictureChooser()
{
    Forms::show<OpenExtraPics>();
}

void viewExtraPictures()
{
    if (Module1::ExtraPictureCount != 0) {
        Forms::show<ExtraPics>();
        return;
    }
    platform::messageBox(QStringLiteral("You have not loaded any extra pictures yet. Please load "
                                        "extra pictures before viewing them"),
                         QStringLiteral("Error"));
}

void playVideo()
{
    if (!MediaPlayer::start())
        platform::messageBox(QStringLiteral("No media player could be started."),
                             QStringLiteral("Error"));
}
