#include "CautionStatement.h"
#include "CommandLine.h"
#include "FirstPaintProbe.h"
#include "GuardedApplication.h"
#include "HelpWindow.h"
#include "MeasureCommand.h"
#include "Platform.h"
#include "Road.h"
#include "SavedReport.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    using Action = commandline::Request::Action;
    const commandline::Request request = commandline::read(argc, argv);
    switch (request.action) {
    case Action::Help:
    case Action::Version:
        std::fputs(request.text.toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Refused:
        std::fputs(request.text.toLocal8Bit().constData(), stderr);
        return 2;
    case Action::Pdf:
    case Action::Measure:
    case Action::Run:
        break;
    }

    // What shows no window needs no display either.
    if (request.action != Action::Run && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The name and version were set while the command line was read.
    GuardedApplication app(argc, argv);

    switch (request.action) {
    case Action::Pdf: {
        platform::registerFontSubstitutes();
        const QString failure = savedreport::printToPdf(request.report, request.pdf);
        if (failure.isEmpty())
            return 0;
        std::fputs((failure + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 1;
    }
    case Action::Measure:
        return measurecommand::run(request.report, request.json);
    case Action::Help:
    case Action::Version:
    case Action::Refused:
    case Action::Run:
        break;
    }

    // Windows hide rather than close; the program ends only through its own Exit paths.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::registerFontSubstitutes();
    installHelpKey();

    Road road;
    if (!request.report.isEmpty()) {
        if (const auto saved = savedreport::open(request.report))
            road.startFrom(*saved);
    } else {
        road.offerRecovery();
    }
    road.start();
    FirstPaintProbe::watch(&road.caution());
    return QApplication::exec();
}
