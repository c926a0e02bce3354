#pragma once
// The seams: what blocks the user, ends the program, starts another program or asks the machine
// about its drives and screen goes through these replaceable functions. All empty is the real
// platform. A test installs a ScopedSeams, fills in what it replaces, and everything is put back
// when the object goes out of scope.

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

namespace platform {

enum class Buttons
{
    Ok,
    YesNo,
};

// A message as the person is to see it.
struct MessageRequest
{
    QString text;
    QString title;
    Buttons buttons;
};

// Another program to start: its name or path and its arguments.
struct ProgramCommand
{
    QString program;
    QStringList arguments;

    friend bool operator==(const ProgramCommand&, const ProgramCommand&) = default;
};

// A drive as a drive list shows it: where it is mounted, and its name if it has one.
struct Volume
{
    QString root;
    QString name;
};

struct Seams
{
    // Receives every message instead of a real box; returns the answer to a question.
    std::function<bool(const MessageRequest&)> message;
    // Called instead of ending the program.
    std::function<void()> endProgram;
    // The folder that holds the running program (help files are looked up there).
    QString programFolder;
    // The drives to list, and whether one can be listed now.
    std::function<QList<Volume>()> volumes;
    std::function<bool(const QString& root)> driveReady;
    // The media players to try, and the starting of one of them.
    std::function<QList<ProgramCommand>()> mediaPlayers;
    std::function<bool(const ProgramCommand&)> startProgram;
    // The screen's free area for windows created from now on.
    QSize availableArea;
    // Shown instead of the print dialog: sets up the printer; true to print.
    std::function<bool(QPrinter&)> printDialog;
    // Where the folders last used are kept instead of the user's settings.
    QHash<QString, QString>* rememberedFolders = nullptr;
};

// The seams in force.
const Seams& seams();

class ScopedSeams
{
public:
    // Starts from the real platform.
    ScopedSeams();
    ~ScopedSeams();
    ScopedSeams(const ScopedSeams&) = delete;
    ScopedSeams& operator=(const ScopedSeams&) = delete;

    Seams* operator->();

private:
    Seams saved_;
};

} // namespace platform
