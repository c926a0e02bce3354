#pragma once
// Everything that blocks the user or ends the program goes through these functions, so that
// tests can answer message boxes and see that the program was asked to end without anything
// blocking or exiting (Seams.h).

#include <QString>

namespace platform {

inline const QString ApplicationTitle = QStringLiteral("VESK Procedure");

// Shows a message with an OK button only and no icon, and waits for OK.
void messageBox(const QString& text, const QString& title = ApplicationTitle);
// Asks a Yes/No question without an icon; true for Yes. No is the default answer.
bool questionBox(const QString& text, const QString& title = ApplicationTitle);

// Ends the program at once: every window disappears and no question is asked.
void endProgram();

// Arial and Comic Sans MS are the fonts the windows are designed in; where they are not
// installed, Liberation Sans and Comic Neue (metric-compatible and close in look) stand in.
void registerFontSubstitutes();

// The family to set a designed font in: its metric-compatible stand-in (Liberation Sans, Comic
// Neue) where that is installed, else the designed one. Named directly, the stand-in spares the
// font machinery a search for a missing family at every text (a tenth of the start-up).
QString fontFamily(const QString& designed);

} // namespace platform

namespace platform {

// The folder that holds the running program.
QString programFolder();

// The application's help file, opened by F1.
QString applicationHelpFile();
void setApplicationHelpFile(const QString& path);

// The folder last used for a kind of file ("pictures", "reports") in this or an earlier run;
// empty when none is known. Kept in the user's settings.
QString rememberedFolder(const QString& kind);
void rememberFolder(const QString& kind, const QString& folder);

// The path of an existing file that matches `path` with letter case ignored, or `path` itself
// when there is none. Help file names were written without regard to case.
QString resolveCaseInsensitive(const QString& path);

} // namespace platform
