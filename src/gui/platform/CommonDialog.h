#pragma once
// The help part of a common dialog control: a help file, a help command and ShowHelp.

#include <QObject>
#include <QString>

class CommonDialog : public QObject
{
    Q_OBJECT

public:
    enum Command
    {
        HelpContents = 3,
    };

    using QObject::QObject;

    QString HelpFile;
    int HelpCommand = HelpContents;

    // Opens HelpFile in the help window, at its contents.
    void ShowHelp();
};
