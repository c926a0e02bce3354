#include "Native.h"

#include "DesktopEntry.h"

#include <QStandardPaths>

namespace native {

QList<platform::ProgramCommand> mediaPlayers()
{
    // The desktop's default program for video, then the usual players found on the PATH.
    QList<platform::ProgramCommand> commands;
    const QString entry = desktopentry::defaultFor(QStringLiteral("video/mp4"));
    if (!entry.isEmpty()) {
        const platform::ProgramCommand command = desktopentry::commandOf(entry);
        if (!command.program.isEmpty())
            commands.append(command);
    }
    for (const char* name :
         {"vlc", "totem", "mpv", "smplayer", "celluloid", "parole", "dragon", "mplayer"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && !commands.contains(platform::ProgramCommand{program, {}}))
            commands.append({program, {}});
    }
    return commands;
}

Qt::CaseSensitivity pathCaseSensitivity()
{
    return Qt::CaseSensitive;
}

} // namespace native
