#include "media/MediaActions.h"

#include "assessment/Module1.h"
#include "media/ExtraPics.h"
#include "media/OpenExtraPics.h"
#include "media/OpenPictureFile.h"
#include "platform/Forms.h"
#include "platform/MediaPlayer.h"
#include "platform/Platform.h"

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
