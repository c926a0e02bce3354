#pragma once
// The help viewer: an HTML help file in a browser with contents, back and forward. Close and Esc
// put it away.

#include "Form.h"

class QPushButton;
class QTextBrowser;

class HelpWindow : public Form
{
    Q_OBJECT

public:
    HelpWindow();

    // Shows the file at the part named `part` (an anchor), or at its top.
    void open(const QString& path, const QString& part = {});

    QTextBrowser* browser;
    QPushButton* contentsButton;
    QPushButton* backButton;
    QPushButton* forwardButton;
    QPushButton* closeButton;
};

// Opens a help file in the help window at the part named `part`, or at its top; a missing file
// gives a message naming its path.
void showHelpFile(const QString& path, const QString& part = {});
// The help window, once help has been shown; else null.
HelpWindow* helpWindow();

// Makes F1 open the application's help file from every window.
void installHelpKey();
