#pragma once
// Starting the platform's media player, empty, without waiting for it. On Windows that is the
// Windows media player (the old then the new program name); elsewhere the desktop's default
// program for video, then the usual players found on the PATH. Both the list of candidates and
// the starting are seams (Seams.h).

#include <QList>
#include <QString>
#include <QStringList>

class MediaPlayer
{
public:
    struct Command
    {
        QString program;
        QStringList arguments;

        friend bool operator==(const Command&, const Command&) = default;
    };

    // The players to try, best first.
    static QList<Command> candidates();
    // Starts `command` detached; true when it started.
    static bool startDetached(const Command& command);
    // Tries the candidates in order until one starts; false when none did.
    static bool start();

    // The command a desktop entry (.desktop file) runs, its file placeholders (%f, %U, ...)
    // removed; an empty program when the entry has no usable Exec line.
    static Command commandOfDesktopEntry(const QString& desktopFile);
    // Players tried after the desktop's default, in order.
    static const QStringList& usualPlayers();

    // The desktop's default program for video, as a desktop entry file; empty when none.
    static QString defaultVideoDesktopEntry();
};
