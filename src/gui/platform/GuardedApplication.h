#pragma once
// The application object of the program: no exception leaves an event handler. One that escapes
// is shown in a message and the program goes on, with the assessment still open, instead of
// ending at once and taking the assessment with it.

#include <QApplication>

class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The message shown for an exception that escaped an event handler.
    static QString escapedExceptionMessage(const char* what);
};
