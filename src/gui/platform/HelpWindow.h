#pragma once
// The help viewer: an HTML help file in a browser with contents, back and forward.

#include "Form.h"

class QPushButton;
class QTextBrowser;

class HelpWindow : public Form
{
    Q_OBJECT

public:
    HelpWindow();

    // Shows the file at its contents (its top).
    void open(const QString& path);

    QTextBrowser* browser;
    QPushButton* contentsButton;
    QPushButton* backButton;
    QPushButton* forwardButton;
};

// Opens a help file in the help window; a missing file gives a message naming its path.
void showHelpFile(const QString& path);
// The help window, once help has been shown; else null.
HelpWindow* helpWindow();

// Makes F1 open the application's help file from every window.
void installHelpKey();
