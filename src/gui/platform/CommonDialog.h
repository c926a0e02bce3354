#pragma once
// The help part of a common dialog control: a help file and ShowHelp, which opens it at its
// contents.

#include <QObject>
#include <QString>

class CommonDialog : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    QString HelpFile;

    // Opens HelpFile in the help window, at its contents.
    void ShowHelp();
};
