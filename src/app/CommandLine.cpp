#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
    // A refusal says what is wrong, then how the program is used.
    const auto refused = [&parser](const QString& why) {
        return Request{Action::Refused, {}, {}, why + QStringLiteral("\n\n") + parser.helpText()};
    };
    if (!parser.parse(arguments))
        return refused(parser.errorText());
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
            return refused(QStringLiteral("--measure takes one photo."));
        return {Action::Measure, parser.value(measure), {}, {}, parser.isSet(json)};
    }
    if (int(parser.isSet(pdf)) + int(parser.isSet(compare)) + int(parser.isSet(csv)) > 1)
        return refused(QStringLiteral("Give only one of --pdf, --compare and --csv."));
    if (parser.isSet(compare)) {
        if (positional.size() != 3)
            return refused(QStringLiteral("--compare needs two saved reports, the earlier first, "
                                          "and the PDF file to write."));
        return {Action::Compare, {}, positional[2], {}, false, {positional[0], positional[1]}};
    }
    if (parser.isSet(csv)) {
        if (positional.isEmpty())
            return refused(QStringLiteral("--csv needs saved reports to read."));
        return {Action::Csv, {}, {}, {}, false, positional};
    }
    if (parser.isSet(pdf)) {
        if (positional.size() != 2)
            return refused(QStringLiteral("--pdf needs a saved report and the PDF file to write."));
        return {Action::Pdf, positional[0], positional[1], {}};
    }
    if (positional.size() > 1)
        return refused(QStringLiteral("Give at most one saved report to open."));
    return {Action::Run, positional.value(0), {}, {}};
}

Request read(int argc, char* argv[])
{
    // The arguments as the platform decodes them; the application object lives only as long as
    // the reading, and the windows get one of their own.
    const QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VESK Procedure"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESK_VERSION));
    return parse(QCoreApplication::arguments());
}

} // namespace commandline
