#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

namespace commandline {

Request parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Scores the postural risk of a worker's task and saves the assessment."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pdf(
        QStringLiteral("pdf"),
        QStringLiteral("Writes the printed worksheet of the saved report to the PDF file, "
                       "without opening a window."));
    parser.addOption(pdf);
    const QCommandLineOption compare(
        QStringLiteral("compare"),
        QStringLiteral("Writes the comparison of two saved reports, the earlier first, to the PDF "
                       "file, without opening a window."));
    parser.addOption(compare);
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QStringLiteral("Writes one row for each saved report to the standard output as CSV "
                       "(UTF-8, with a header row), without opening a window."));
    parser.addOption(csv);
    parser.addPositionalArgument(
        QStringLiteral("report"),
        QStringLiteral("A saved report (\"<name> VESK Analysis.txt\"): the assessment starts "
                       "from its employee details and drawings. With --compare, two; with --csv, "
                       "any number."),
        QStringLiteral("[report]"));
    parser.addPositionalArgument(QStringLiteral("pdf"),
                                 QStringLiteral("With --pdf or --compare: the PDF file to write."),
                                 QStringLiteral("[pdf]"));

    using Action = Request::Action;
    if (!parser.parse(arguments))
        return {Action::Refused, {}, {}, parser.errorText() + QLatin1Char('\n')};
    if (parser.isSet(help))
        return {Action::Help, {}, {}, parser.helpText()};
    if (parser.isSet(version)) {
        return {Action::Version,
                {},
                {},
                QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n')};
    }
    const QStringList positional = parser.positionalArguments();
    if (int(parser.isSet(pdf)) + int(parser.isSet(compare)) + int(parser.isSet(csv)) > 1)
        return {Action::Refused,
                {},
                {},
                QStringLiteral("Give only one of --pdf, --compare and --csv.\n")};
    if (parser.isSet(compare)) {
        if (positional.size() != 3)
            return {Action::Refused,
                    {},
                    {},
                    QStringLiteral("--compare needs two saved reports, the earlier first, and the "
                                   "PDF file to write.\n")};
        return {Action::Compare, {}, positional[2], {}, {positional[0], positional[1]}};
    }
    if (parser.isSet(csv)) {
        if (positional.isEmpty())
            return {
                Action::Refused, {}, {}, QStringLiteral("--csv needs saved reports to read.\n")};
        return {Action::Csv, {}, {}, {}, positional};
    }
    if (parser.isSet(pdf)) {
        if (positional.size() != 2)
            return {Action::Refused,
                    {},
                    {},
                    QStringLiteral("--pdf needs a saved report and the PDF file to write.\n")};
        return {Action::Pdf, positional[0], positional[1], {}};
    }
    if (positional.size() > 1)
        return {
            Action::Refused, {}, {}, QStringLiteral("Give at most one saved report to open.\n")};
    return {Action::Run, positional.value(0), {}, {}};
}

bool needsNoWindow(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
             {"--pdf", "--compare", "--csv", "--help", "-h", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace commandline
