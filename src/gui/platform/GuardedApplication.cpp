#include "GuardedApplication.h"

#include "Platform.h"

#include <exception>

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        platform::messageBox(escapedExceptionMessage(error.what()));
    } catch (...) {
        platform::messageBox(escapedExceptionMessage(nullptr));
    }
    return false;
}

QString GuardedApplication::escapedExceptionMessage(const char* what)
{
    const QString reason = what ? QString::fromLocal8Bit(what) : QStringLiteral("an unknown error");
    return QStringLiteral("The program could not finish what it was doing:\n\n%1\n\n"
                          "The assessment is still open; nothing has been saved or lost.")
        .arg(reason);
}
