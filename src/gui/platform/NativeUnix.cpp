#include "Native.h"

#include <QStandardPaths>

namespace native {

QList<MediaPlayer::Command> mediaPlayers()
{
    // The desktop's default program for video, then the usual players found on the PATH.
    QList<MediaPlayer::Command> commands;
    const QString entry = MediaPlayer::defaultVideoDesktopEntry();
    if (!entry.isEmpty()) {
        const MediaPlayer::Command command = MediaPlayer::commandOfDesktopEntry(entry);
        if (!command.program.isEmpty())
            commands.append(command);
    }
    for (const QString& name : MediaPlayer::usualPlayers()) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && !commands.contains(MediaPlayer::Command{program, {}}))
            commands.append({program, {}});
    }
    return commands;
}

Qt::CaseSensitivity pathCaseSensitivity()
{
    return Qt::CaseSensitive;
}

} // namespace native
