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
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QStringLiteral("Measures the worker's posture on the photo and prints the joint angles "
                       "and the drawings they suggest, without opening a window."),
        QStringLiteral("photo"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("With --measure: prints one JSON object."));
    parser.addOptions({measure, json});
    parser.addPositionalArgument(
        QStringLiteral("report"),
        QStringLiteral("A saved report (\"<name> VESK Analysis.txt\"): the assessment starts "
                       "from its employee details and drawings."),
        QStringLiteral("[report]"));
    parser.addPositionalArgument(QStringLiteral("pdf"),
                                 QStringLiteral("With --pdf: the PDF file to write."),
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
    if (parser.isSet(measure)) {
        if (!positional.isEmpty() || parser.isSet(pdf))
            return {Action::Refused, {}, {}, QStringLiteral("--measure takes one photo.\n")};
        return {Action::Measure, parser.value(measure), {}, {}, parser.isSet(json)};
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
        if (std::strncmp(argv[i], "--measure", 9) == 0) // also "--measure=<photo>"
            return true;
        for (const char* option : {"--pdf", "--help", "-h", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace commandline
