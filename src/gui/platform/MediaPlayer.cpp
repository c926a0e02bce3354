#include "MediaPlayer.h"

#include "Native.h"
#include "Seams.h"

#include <QProcess>

QList<MediaPlayer::Command> MediaPlayer::candidates()
{
    if (platform::seams().mediaPlayers)
        return platform::seams().mediaPlayers();
    return native::mediaPlayers();
}

bool MediaPlayer::startDetached(const Command& command)
{
    if (platform::seams().startProgram)
        return platform::seams().startProgram(command);
    return QProcess::startDetached(command.program, command.arguments);
}

bool MediaPlayer::start()
{
    for (const Command& command : candidates()) {
        if (startDetached(command))
            return true;
    }
    return false;
}
