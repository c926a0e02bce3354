#include "CautionStatement.h"
#include "CommandLine.h"
#include "FirstPaintProbe.h"
#include "GuardedApplication.h"
#include "HelpWindow.h"
#include "Platform.h"
#include "Road.h"
#include "SavedReport.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Writing a PDF or the usage shows no window, so it needs no display either.
    if (commandline::needsNoWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(platform::ApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(VESK_VERSION));

    using Action = commandline::Request::Action;
    const commandline::Request request = commandline::parse(QApplication::arguments());
    switch (request.action) {
    case Action::Help:
    case Action::Version:
        std::fputs(request.text.toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Refused:
        std::fputs(request.text.toLocal8Bit().constData(), stderr);
        return 2;
    case Action::Pdf: {
        platform::registerFontSubstitutes();
        const QString failure = savedreport::printToPdf(request.report, request.pdf);
        if (failure.isEmpty())
            return 0;
        std::fputs((failure + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 1;
    }
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
            road.startFrom(*saved, QFileInfo(request.report).absolutePath());
    }
    road.start();
    FirstPaintProbe::watch(&road.caution());
    return QApplication::exec();
}
