#include "MediaPlayer.h"

#include "Native.h"
#include "Seams.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

bool isFieldCode(const QString& token)
{
    static const QString codes = QStringLiteral("fFuUdDnNickvm");
    return token.size() == 2 && token[0] == QLatin1Char('%') && codes.contains(token[1]);
}

} // namespace

const QStringList& MediaPlayer::usualPlayers()
{
    static const QStringList players = {
        QStringLiteral("vlc"),      QStringLiteral("totem"),     QStringLiteral("mpv"),
        QStringLiteral("smplayer"), QStringLiteral("celluloid"), QStringLiteral("parole"),
        QStringLiteral("dragon"),   QStringLiteral("mplayer"),
    };
    return players;
}

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

MediaPlayer::Command MediaPlayer::commandOfDesktopEntry(const QString& desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inMainGroup = false;
    QString exec;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5);
    }

    QStringList tokens;
    for (QString token : QProcess::splitCommand(exec)) {
        if (isFieldCode(token))
            continue;
        token.replace(QStringLiteral("%%"), QStringLiteral("%"));
        tokens << token;
    }
    if (tokens.isEmpty())
        return {};
    const QString program = tokens.takeFirst();
    return {program, tokens};
}

QString MediaPlayer::defaultVideoDesktopEntry()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("video/mp4")});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(500);
        return {};
    }
    const QString id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (id.isEmpty())
        return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
}
