#include "CautionStatement.h"
#include "FirstPaintProbe.h"
#include "Forms.h"
#include "GuardedApplication.h"
#include "HelpWindow.h"
#include "Platform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(platform::ApplicationTitle);
    // Windows hide rather than close; the program ends only through its own Exit paths.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::registerFontSubstitutes();
    installHelpKey();

    Forms::show<CautionStatement>();
    FirstPaintProbe::watch(&Forms::get<CautionStatement>());
    const int status = QApplication::exec();
    Forms::destroyAll();
    return status;
}
