#pragma once
// Starting the platform's media player, empty, without waiting for it. Which players are tried
// differs by platform (Native.h). Both the list of candidates and the starting are seams
// (Seams.h).

#include "Seams.h"

#include <QList>
#include <QString>
#include <QStringList>

class MediaPlayer
{
public:
    using Command = platform::ProgramCommand;

    // The players to try, best first.
    static QList<Command> candidates();
    // Starts `command` detached; true when it started.
    static bool startDetached(const Command& command);
    // Tries the candidates in order until one starts; false when none did.
    static bool start();
};
