#include "CautionStatement.h"
#include "CommandLine.h"
#include "FirstPaintProbe.h"
#include "GuardedApplication.h"
#include "HelpWindow.h"
#include "MeasureCommand.h"
#include "Platform.h"
#include "ReportTable.h"
#include "Road.h"
#include "SavedReport.h"

#include <QApplication>
#include <QFileInfo>

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
    case Action::Compare:
    case Action::Csv:
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
    case Action::Compare: {
        platform::registerFontSubstitutes();
        const QString failure =
            savedreport::compareToPdf(request.reports[0], request.reports[1], request.pdf);
        if (failure.isEmpty())
            return 0;
        std::fputs((failure + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 1;
    }
    case Action::Csv: {
        QStringList problems;
        const QByteArray table = reporttable::csv(request.reports, &problems);
        for (const QString& problem : problems)
            std::fputs((problem + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        if (std::fwrite(table.constData(), 1, std::size_t(table.size()), stdout) !=
                std::size_t(table.size()) ||
            std::fflush(stdout) != 0) {
            std::fputs("The table could not be written to the standard output.\n", stderr);
            return 1;
        }
        return problems.isEmpty() ? 0 : 1;
    }
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
            road.startFrom(*saved, QFileInfo(request.report).absolutePath());
    } else {
        road.offerRecovery();
    }
    road.start();
    FirstPaintProbe::watch(&road.caution());
    return QApplication::exec();
}
