#pragma once
// The help part of a common dialog control: a help file and ShowHelp, which opens it at its
// contents, or at the part named by HelpKey.

#include <QObject>
#include <QString>

class CommonDialog : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    QString HelpFile;
    // The anchor of the part to open at; empty for the contents.
    QString HelpKey;

    // Opens HelpFile in the help window.
    void ShowHelp();
};
